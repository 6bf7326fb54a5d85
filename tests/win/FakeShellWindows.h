// The shell's window collection of the test's own, registered for the ShellWindows class id
// in this process: it hands out the windows it is given and counts its references.
#pragma once
#include "CountedDispatch.h"
#include "FakeClassObject.h"
#include <windows.h>
#include <exdisp.h>
#include <vector>

class FakeShellWindows : public CountedDispatch<IShellWindows> {
public:
    explicit FakeShellWindows(std::vector<IDispatch*> windows) : m_windows(std::move(windows)) {}
    // Registers for this process; false when COM refused.
    bool Register() { return m_factory.Register(); }

    HRESULT countResult = S_OK;
    long failItemAt = -1;         // Item fails from this index on

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
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
    // Every creation hands out the one collection.
    class Factory : public FakeClassObject {
    public:
        explicit Factory(FakeShellWindows& owner) : FakeClassObject(CLSID_ShellWindows), m_owner(owner) {}
        STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** ppv) override
        {
            return m_owner.QueryInterface(riid, ppv);
        }

    private:
        FakeShellWindows& m_owner;
    };

    std::vector<IDispatch*> m_windows;
    Factory m_factory{ *this };
};
