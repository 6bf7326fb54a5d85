// The shell's window collection of the test's own, registered for the ShellWindows class id
// in this process: it hands out the windows it is given and counts its references.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <vector>

class FakeShellWindows : public IShellWindows {
public:
    explicit FakeShellWindows(std::vector<IDispatch*> windows) : m_windows(std::move(windows)) {}
    ~FakeShellWindows() { Revoke(); }
    // Registers for this process; false when COM refused.
    bool Register();
    void Revoke();

    LONG refs = 1;                // the test's own
    HRESULT countResult = S_OK;
    long failItemAt = -1;         // Item fails from this index on

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs)); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(InterlockedDecrement(&refs)); }
    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
    // What the survey uses
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, IDispatch** folder) override;
    // The rest of IShellWindows is not used.
    STDMETHODIMP _NewEnum(IUnknown**) override { return E_NOTIMPL; }
    STDMETHODIMP Register(IDispatch*, LONG, int, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP Revoke(LONG) override { return E_NOTIMPL; }
    STDMETHODIMP OnNavigate(LONG, VARIANT*) override { return E_NOTIMPL; }
    STDMETHODIMP OnActivated(LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP FindWindowSW(VARIANT*, VARIANT*, int, LONG*, int, IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP OnCreated(LONG, IUnknown*) override { return E_NOTIMPL; }
    STDMETHODIMP ProcessAttachDetach(VARIANT_BOOL) override { return E_NOTIMPL; }

private:
    class Factory : public IClassFactory {
    public:
        explicit Factory(FakeShellWindows& owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
        STDMETHODIMP LockServer(BOOL) override { return S_OK; }

    private:
        FakeShellWindows& m_owner;
    };

    std::vector<IDispatch*> m_windows;
    Factory m_factory{ *this };
    DWORD m_cookie = 0;
};
