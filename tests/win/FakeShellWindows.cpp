#include "FakeShellWindows.h"

bool FakeShellWindows::Register()
{
    return SUCCEEDED(CoRegisterClassObject(CLSID_ShellWindows, &m_factory, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE, &m_cookie));
}

void FakeShellWindows::Revoke()
{
    if (m_cookie)
        CoRevokeClassObject(m_cookie);
    m_cookie = 0;
}

STDMETHODIMP FakeShellWindows::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IShellWindows)) {
        *ppv = static_cast<IShellWindows*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeShellWindows::get_Count(LONG* count)
{
    if (SUCCEEDED(countResult))
        *count = static_cast<LONG>(m_windows.size());
    return countResult;
}

STDMETHODIMP FakeShellWindows::Item(VARIANT index, IDispatch** folder)
{
    *folder = nullptr;
    if (index.vt != VT_I4 || index.lVal < 0 || static_cast<size_t>(index.lVal) >= m_windows.size())
        return E_INVALIDARG;
    if (failItemAt >= 0 && index.lVal >= failItemAt)
        return E_FAIL;
    *folder = m_windows[static_cast<size_t>(index.lVal)];
    (*folder)->AddRef();
    return S_OK;
}

STDMETHODIMP FakeShellWindows::Factory::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FakeShellWindows::Factory::CreateInstance(IUnknown*, REFIID riid, void** ppv)
{
    return m_owner.QueryInterface(riid, ppv);
}
