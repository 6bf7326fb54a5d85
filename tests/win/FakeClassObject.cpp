#include "FakeClassObject.h"

bool FakeClassObject::Register()
{
    return SUCCEEDED(CoRegisterClassObject(m_clsid, this, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                           REGCLS_MULTIPLEUSE, &m_cookie));
}

void FakeClassObject::Revoke()
{
    if (m_cookie)
        CoRevokeClassObject(m_cookie);
    m_cookie = 0;
}

STDMETHODIMP FakeClassObject::QueryInterface(REFIID riid, void** ppv)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}
