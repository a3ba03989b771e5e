#pragma once
// The reference counting behind the platform's own objects: ComObject<I> implements IUnknown for
// an object that offers the one interface I (I::kIid). The object is made with `new` and owns
// itself from then on: the last Release deletes it, as COM objects do.

#include "platform/com/ComTypes.h"

#include <atomic>

namespace platform
{

template <class Interface> class ComObject : public Interface
{
public:
    ComObject() { com_detail::ObjectCreated(); }
    virtual ~ComObject() { com_detail::ObjectDestroyed(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == Interface::kIid)
        {
            *ppvObject = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_references; }
    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<ULONG> m_references{1};
};

} // namespace platform
