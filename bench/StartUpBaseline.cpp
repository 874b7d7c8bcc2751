// The start-up baseline: the least a program must do to be ready for the
// jukebox. It initialises COM, creates the jukebox link object and registers
// a hidden window of its own, then waits for WM_CLOSE, so that the benchmark
// can also measure it idle and close it the way it closes the program.
#include <windows.h>
#include <objbase.h>

#include "JukeboxContract.h"
#include "framework/ComPtr.h"

namespace {

constexpr char kWindowClass[] = "VantrelStartUpBaseline";

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (FAILED(::CoInitialize(nullptr)))
        return 1;
    int result = 1;
    {
        ComPtr<IJukeboxLink> link;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &WindowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kWindowClass;
        ::RegisterClassA(&windowClass);
        if (SUCCEEDED(::CoCreateInstance(__uuidof(JukeboxLink), nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IJukeboxLink),
                                         link.ReleaseAndGetAddressOf()))) {
            const HWND window = ::CreateWindowA(kWindowClass, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                                instance, nullptr);
            LONG registered = 0;
            if (window != nullptr &&
                SUCCEEDED(link->RegisterWindow(static_cast<LONG>(reinterpret_cast<LONG_PTR>(window)), &registered))) {
                MSG message;
                while (::GetMessageA(&message, nullptr, 0, 0) > 0)
                    ::DispatchMessageA(&message);
                result = 0;
            }
        }
    }
    ::CoUninitialize();
    return result;
}
