#include "device/cmyportsystemwatch.h"

#include <qt_windows.h>

#include <dbt.h>

// Windows tells a window about devices that come and go (WM_DEVICECHANGE). A message-only window
// of our own, registered for the arrival and removal of device interfaces, hears them; Qt's event
// loop delivers its messages with the rest of the thread's.

namespace {

const wchar_t kWindowClass[] = L"TamiraPortSystemWatch";

class cMyDeviceChangeWatch : public cMyPortSystemWatch
{
public:
    cMyDeviceChangeWatch(QObject *parent, HWND window, HDEVNOTIFY notification)
        : cMyPortSystemWatch(parent), m_window(window), m_notification(notification)
    {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    ~cMyDeviceChangeWatch() override
    {
        UnregisterDeviceNotification(m_notification);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }

    void deviceChanged() { emit changed(); }

private:
    HWND m_window;
    HDEVNOTIFY m_notification;
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVICECHANGE && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
        auto *watch = reinterpret_cast<cMyDeviceChangeWatch *>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (watch)
            watch->deviceChanged();
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

cMyPortSystemWatch *cMyPortSystemWatch::create(QObject *parent)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerWindowClass(instance))
        return nullptr;
    const HWND window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    // Every interface class: a USB serial device shows up as a COM port interface, but a driver
    // may announce only its own class, and a bootloader has no port at all. A notice only makes
    // the port monitor look at the list once.
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    const HDEVNOTIFY notification =
        RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE | DEVICE_NOTIFY_ALL_INTERFACE_CLASSES);
    if (!notification) {
        DestroyWindow(window);
        return nullptr;
    }
    return new cMyDeviceChangeWatch(parent, window, notification);
}
