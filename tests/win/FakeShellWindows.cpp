#include "FakeShellWindows.h"

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
