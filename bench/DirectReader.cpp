// The latency baseline: reads a simulated remote the way the program's reader
// does (one overlapped read of one report at a time) and calls the jukebox
// directly from the reading thread, with the key table's command for each
// report. Ends when the device goes away.
//   DirectReader.exe <device path> <input report length>
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "JukeboxContract.h"
#include "framework/ComPtr.h"
#include "framework/UniqueHandle.h"
#include "module/RemoteKeyTable.h"

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    ::CoInitialize(nullptr);
    int result = 1;
    {
        ComPtr<IJukeboxLink> link;
        UniqueFile device(::CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
        UniqueHandle completed(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (device && completed &&
            SUCCEEDED(::CoCreateInstance(__uuidof(JukeboxLink), nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IJukeboxLink),
                                         link.ReleaseAndGetAddressOf()))) {
            std::vector<unsigned char> report(static_cast<std::size_t>(std::max(1, std::atoi(argv[2]))));
            for (;;) {
                OVERLAPPED overlapped{};
                overlapped.hEvent = completed.Get();
                DWORD transferred = 0;
                if (!::ReadFile(device.Get(), report.data(), static_cast<DWORD>(report.size()), &transferred,
                                &overlapped) &&
                    ::GetLastError() != ERROR_IO_PENDING)
                    break;
                if (!::GetOverlappedResult(device.Get(), &overlapped, &transferred, TRUE))
                    break;
                const KeyAction& action = RemoteKeyAction(transferred >= 3 ? report[2] : 0);
                LONG sent = 0;
                if (action.kind == KeyActionKind::Command)
                    link->SendCommand(0, action.command, &sent);
            }
            result = 0;
        }
    }
    ::CoUninitialize();
    return result;
}
