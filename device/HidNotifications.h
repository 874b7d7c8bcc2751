// Registration of a window for notifications about HID device interfaces.
#pragma once

#include <windows.h>

#include <utility>

// Owns one device-notification registration (null means none).
class UniqueDeviceNotification
{
public:
    UniqueDeviceNotification() = default;
    explicit UniqueDeviceNotification(HDEVNOTIFY handle) : m_handle(handle) {}
    UniqueDeviceNotification(const UniqueDeviceNotification&) = delete;
    UniqueDeviceNotification& operator=(const UniqueDeviceNotification&) = delete;
    UniqueDeviceNotification(UniqueDeviceNotification&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    UniqueDeviceNotification& operator=(UniqueDeviceNotification&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    ~UniqueDeviceNotification() { Reset(); }

    HDEVNOTIFY Get() const { return m_handle; }
    void Reset(HDEVNOTIFY handle = nullptr);

private:
    HDEVNOTIFY m_handle = nullptr;
};

// Registers window for arrival and removal of HID device interfaces; an empty
// owner if the system refuses.
UniqueDeviceNotification RegisterHidNotifications(HWND window);
