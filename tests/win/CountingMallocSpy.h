// Counts what the task allocator hands out and takes back while registered (BSTRs, safe
// arrays); run the test with OANOCACHE=1 so that freed strings are not kept back.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <gtest/gtest.h>

class CountingMallocSpy : public IMallocSpy {
public:
    // Registers the one spy with its counts at zero.
    static CountingMallocSpy& Start()
    {
        // Never destroyed: a spy that COM could not revoke (blocks it saw are still out)
        // stays in use until the process ends.
        static CountingMallocSpy* spy = new CountingMallocSpy;
        spy->outstanding = spy->allocations = 0;
        HRESULT hr = CoRegisterMallocSpy(spy);
        EXPECT_EQ(S_OK, hr) << "the malloc spy could not be registered";
        return *spy;
    }
    // False when COM keeps the spy because blocks that it saw allocated are not yet freed.
    static bool Stop() { return CoRevokeMallocSpy() == S_OK; }

    LONG outstanding = 0, allocations = 0;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMallocSpy)) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T cbRequest) override { return cbRequest; }
    STDMETHODIMP_(void*) PostAlloc(void* pActual) override
    {
        if (pActual) {
            ++outstanding;
            ++allocations;
        }
        return pActual;
    }
    STDMETHODIMP_(void*) PreFree(void* pRequest, BOOL fSpyed) override
    {
        if (pRequest && fSpyed)
            --outstanding;
        return pRequest;
    }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* pRequest, SIZE_T cbRequest, void** ppNewRequest, BOOL) override
    {
        *ppNewRequest = pRequest;
        return cbRequest;
    }
    STDMETHODIMP_(void*) PostRealloc(void* pActual, BOOL) override { return pActual; }
    STDMETHODIMP_(void*) PreGetSize(void* pRequest, BOOL) override { return pRequest; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T cbActual, BOOL) override { return cbActual; }
    STDMETHODIMP_(void*) PreDidAlloc(void* pRequest, BOOL) override { return pRequest; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int fActual) override { return fActual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}
};
