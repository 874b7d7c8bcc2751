#include "device/HidNotifications.h"

#include <dbt.h>

extern "C" {
#include <hidsdi.h>
}

UniqueDeviceNotification RegisterHidNotifications(HWND window)
{
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    ::HidD_GetHidGuid(&filter.dbcc_classguid);
    return UniqueDeviceNotification(::RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
}
