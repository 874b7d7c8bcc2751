// Objects that a substitute DLL hands to its caller as opaque handles (a
// device-information set, preparsed data). The DLL keeps them until the
// caller gives them back, so that a handle can be checked before it is used
// and one that is unknown or given back twice is refused.
#pragma once

#include <map>
#include <memory>
#include <mutex>

template <class Object>
class HandedOutObjects
{
public:
    // The object's handle is its address.
    void* Add(std::shared_ptr<Object> object)
    {
        void* handle = object.get();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_objects.emplace(handle, std::move(object));
        return handle;
    }

    // Null when the handle is not out.
    std::shared_ptr<Object> Find(const void* handle) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_objects.find(handle);
        return found == m_objects.end() ? nullptr : found->second;
    }

    // Takes the object back; null when the handle is not out.
    std::shared_ptr<Object> Remove(const void* handle)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = m_objects.find(handle);
        if (found == m_objects.end())
            return nullptr;
        std::shared_ptr<Object> object = std::move(found->second);
        m_objects.erase(found);
        return object;
    }

private:
    mutable std::mutex m_mutex;
    std::map<const void*, std::shared_ptr<Object>> m_objects;
};
