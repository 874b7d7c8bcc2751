// The start-up baseline: the least a program must do to make the jukebox
// calls that VantrelRemote.exe makes at start, in the same order, so that the
// start-up ratio measures the program's own cost. It initialises COM, creates
// the jukebox link, a hidden window of its own and the companion, registers
// the window with the link and sends command 203 with "WmAppcommand=0"; then
// it waits for WM_CLOSE, so that the benchmark can also measure it idle and
// close it the way it closes the program.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "JukeboxContract.h"
#include "framework/ComPtr.h"
#include "framework/UniqueBstr.h"

namespace {

constexpr char kWindowClass[] = "VantrelStartUpBaseline";
constexpr long kSettingCommand = 203;
constexpr wchar_t kSettingText[] = L"WmAppcommand=0";

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

template <class Interface>
bool Create(const CLSID& type, ComPtr<Interface>& object)
{
    return SUCCEEDED(
        ::CoCreateInstance(type, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(Interface), object.ReleaseAndGetAddressOf()));
}

// The program's start-up calls; false at the first that fails.
bool StartUp(HINSTANCE instance, ComPtr<IJukeboxLink>& link, ComPtr<IJukeboxCompanion>& companion)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassA(&windowClass);
    if (!Create(__uuidof(JukeboxLink), link))
        return false;
    const HWND window = ::CreateWindowA(kWindowClass, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr || !Create(__uuidof(JukeboxCompanion), companion))
        return false;
    const auto windowValue = static_cast<LONG>(reinterpret_cast<LONG_PTR>(window));
    LONG result = 0;
    const UniqueBstr setting(::SysAllocString(kSettingText));
    return SUCCEEDED(link->RegisterWindow(windowValue, &result)) &&
           SUCCEEDED(link->SendCommandWithData(windowValue, kSettingCommand, setting.Get(), &result));
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (FAILED(::CoInitialize(nullptr)))
        return 1;
    int result = 1;
    {
        ComPtr<IJukeboxLink> link;
        ComPtr<IJukeboxCompanion> companion;
        if (StartUp(instance, link, companion)) {
            MSG message;
            while (::GetMessageA(&message, nullptr, 0, 0) > 0)
                ::DispatchMessageA(&message);
            result = 0;
        }
    }
    ::CoUninitialize();
    return result;
}
