// A class object of a test's own: registered for a class id in this process, so that the
// program's CoCreateInstance reaches it; what it creates is up to the fake that derives from it.
// It lives on the test's stack, so its count is not kept.
#pragma once
#include <windows.h>
#include <objbase.h>

class FakeClassObject : public IClassFactory {
public:
    explicit FakeClassObject(REFCLSID clsid) : m_clsid(clsid) {}
    virtual ~FakeClassObject() { Revoke(); }
    FakeClassObject(const FakeClassObject&) = delete;
    FakeClassObject& operator=(const FakeClassObject&) = delete;

    // Registers for this process; false when COM refused.
    bool Register();
    void Revoke();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    CLSID m_clsid;
    DWORD m_cookie = 0;
};
