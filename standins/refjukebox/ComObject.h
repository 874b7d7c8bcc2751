#pragma once
#include <objbase.h>

#include <atomic>

// IUnknown for a heap object that exposes one interface. Objects are created
// with one reference, which the creator adopts (CComRef), and delete
// themselves on the final Release.
template <class Interface>
class CComObject : public Interface
{
public:
    CComObject() = default;
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(Interface)))
        {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

    STDMETHODIMP_(ULONG) AddRef() override
    {
        return ++m_references;
    }

    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~CComObject() = default;

private:
    std::atomic<ULONG> m_references{1};
};
