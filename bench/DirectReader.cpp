// The latency baselines: read a simulated remote the way the program's reader
// does (one overlapped read of one report at a time) and call the jukebox with
// the key table's command for each report. Both end when the device goes away.
//   DirectReader.exe <device path> <input report length> [posting]
// Without "posting", the reading thread calls the jukebox itself. With it, a
// thread of its own reads and posts each command to a window on the main
// thread, which calls the jukebox: the least any reader that hands its
// commands to a window thread, as the program's does, can cost.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "JukeboxContract.h"
#include "framework/ComPtr.h"
#include "framework/UniqueHandle.h"
#include "module/RemoteKeyTable.h"

namespace {

constexpr UINT kCommandMessage = WM_APP + 1;  // wParam: the command
constexpr UINT kReadsEndedMessage = WM_APP + 2;

// Reads until a read fails, handing each report's command to sendCommand.
void ReadCommands(HANDLE device, std::size_t reportLength, const std::function<void(long)>& sendCommand)
{
    UniqueHandle completed(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!completed)
        return;
    std::vector<unsigned char> report(reportLength);
    for (;;) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = completed.Get();
        DWORD transferred = 0;
        if (!::ReadFile(device, report.data(), static_cast<DWORD>(report.size()), &transferred, &overlapped) &&
            ::GetLastError() != ERROR_IO_PENDING)
            return;
        if (!::GetOverlappedResult(device, &overlapped, &transferred, TRUE))
            return;
        const KeyAction& action = RemoteKeyAction(transferred >= 3 ? report[2] : 0);
        if (action.kind == KeyActionKind::Command)
            sendCommand(action.command);
    }
}

// The window thread's side of the posting reader: the jukebox is called for
// each posted command until the reading thread ends.
void CallFromWindowThread(HANDLE device, std::size_t reportLength, IJukeboxLink& link)
{
    const HWND window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (window == nullptr)
        return;
    std::thread reader([&] {
        ReadCommands(device, reportLength,
                     [&](long command) { ::PostMessageA(window, kCommandMessage, static_cast<WPARAM>(command), 0); });
        ::PostMessageA(window, kReadsEndedMessage, 0, 0);
    });
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0 && message.message != kReadsEndedMessage) {
        if (message.message == kCommandMessage) {
            LONG sent = 0;
            link.SendCommand(0, static_cast<LONG>(message.wParam), &sent);
        } else {
            ::DispatchMessageA(&message);
        }
    }
    reader.join();
    ::DestroyWindow(window);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "posting") == 0))
        return 2;
    const bool posting = argc == 4;
    const std::size_t reportLength = static_cast<std::size_t>(std::max(1, std::atoi(argv[2])));
    ::CoInitialize(nullptr);
    int result = 1;
    {
        ComPtr<IJukeboxLink> link;
        UniqueFile device(::CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
        if (device && SUCCEEDED(::CoCreateInstance(__uuidof(JukeboxLink), nullptr, CLSCTX_LOCAL_SERVER,
                                                   __uuidof(IJukeboxLink), link.ReleaseAndGetAddressOf()))) {
            if (posting) {
                CallFromWindowThread(device.Get(), reportLength, *link.Get());
            } else {
                ReadCommands(device.Get(), reportLength, [&](long command) {
                    LONG sent = 0;
                    link->SendCommand(0, command, &sent);
                });
            }
            result = 0;
        }
    }
    ::CoUninitialize();
    return result;
}
