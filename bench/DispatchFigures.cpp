// DispatchRemoteKey per posting key against a bare PostMessage, and what a
// post costs once the hand-over queue holds its bound of payloads.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

#include "BenchReport.h"
#include "InProcessFigures.h"
#include "framework/PayloadPost.h"
#include "jukebox/JukeboxCommandChannel.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryMap.h"
#include "module/RemoteKeyDispatch.h"
#include "module/RemoteKeyTable.h"
#include "standins/rzmb/RzmbControl.h"
#include "tests/wine/WineTestSupport.h"

namespace {

// Dispatch costs microseconds and the machine is shared: each figure is the
// median of several rounds.
constexpr int kRounds = 7;
constexpr int kDispatchesPerRound = 20;
constexpr int kPostsTimed = 50;
constexpr int kRoomWaits = 50;

// The mean time of one call, in microseconds, median over the rounds. After
// each round the window takes what the round posted, as it would, so that the
// hand-over queues stay far from their bound.
double MedianMicroseconds(const std::function<void()>& call)
{
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        const double start = NowMicroseconds();
        for (int i = 0; i < kDispatchesPerRound; ++i)
            call();
        rounds.push_back((NowMicroseconds() - start) / kDispatchesPerRound);
        DrainMessages();
    }
    return Median(rounds);
}

bool Posts(KeyActionKind kind)
{
    return kind != KeyActionKind::None && kind != KeyActionKind::ParameterEcho && kind != KeyActionKind::WritesSwitch;
}

const char* KindName(KeyActionKind kind)
{
    switch (kind) {
    case KeyActionKind::Command: return "command";
    case KeyActionKind::Request: return "request";
    case KeyActionKind::Level: return "level";
    case KeyActionKind::NumberParameter: return "number parameter";
    case KeyActionKind::TextParameter: return "text parameter";
    case KeyActionKind::Reply: return "reply";
    case KeyActionKind::ModuleInfo: return "module information";
    case KeyActionKind::TestReply: return "test reply";
    case KeyActionKind::StateQuery: return "state query";
    default: return "";
    }
}

void PostStop()
{
    PostJukeboxCommand(kStopCommand, nullptr);
}

double PostsMicroseconds(int count)
{
    const double start = NowMicroseconds();
    for (int i = 0; i < count; ++i)
        PostStop();
    return (NowMicroseconds() - start) / count;
}

void FillToTheBound()
{
    for (size_t i = 0; i < kMaxPayloadsWaiting; ++i)
        PostStop();
}

// Another thread posts into the full queue; this thread lets the window take
// one payload at a time and times from that take to the post's return.
std::vector<double> RoomWaits(HWND window)
{
    std::vector<double> returnedAt(kRoomWaits);
    std::atomic<int> returned{0};
    std::thread poster([&] {
        for (int i = 0; i < kRoomWaits; ++i) {
            PostStop();
            returnedAt[static_cast<size_t>(i)] = NowMicroseconds();
            returned = i + 1;
        }
    });
    std::vector<double> waits;
    for (int i = 0; i < kRoomWaits; ++i) {
        ::Sleep(5);  // long enough for the poster to be waiting
        MSG message;
        if (!::PeekMessageA(&message, window, WM_JUKEBOX_COMMAND, WM_JUKEBOX_COMMAND, PM_REMOVE))
            break;
        const double taken = NowMicroseconds();
        ::DispatchMessageA(&message);
        const double limit = taken + 5e6;
        while (returned.load() <= i && NowMicroseconds() < limit)
            std::this_thread::yield();
        if (returned.load() <= i)
            break;
        waits.push_back(returnedAt[static_cast<size_t>(i)] - taken);
    }
    poster.join();
    return waits;
}

}  // namespace

void ReportDispatch(CVantrelRemoteDlg& dialog)
{
    // A parameter that makes every parameter key post: a 5-byte text, a level
    // flag that is not 1, a state code that is answered.
    const unsigned char parameter[] = {0x05, 'h', 'e', 'l', 'l', 'o'};
    RzmbPokeMemory(ModuleMap::KeyParameter, sizeof parameter, parameter);
    ModuleWritesEnabled = 0;
    WithoutJukebox noJukebox(dialog);
    const HWND window = dialog.m_hWnd;
    std::printf("\nDispatchRemoteKey per posting key (median of %d rounds of %d calls; the window takes what each\n"
                "round posted before the next), against one bare PostMessage to the same window measured just\n"
                "before it:\n",
                kRounds, kDispatchesPerRound);
    for (int code = 0; code < 256; ++code) {
        const KeyActionKind kind = RemoteKeyAction(static_cast<unsigned char>(code)).kind;
        if (!Posts(kind))
            continue;
        const double postUs = MedianMicroseconds([window] { ::PostMessageA(window, WM_NULL, 0, 0); });
        const double us = MedianMicroseconds([code] { DispatchRemoteKey(static_cast<unsigned char>(code)); });
        std::printf("  key %3d  %-18s %7.1f us  post %6.1f us  ratio %5.2f\n", code, KindName(kind), us, postUs,
                    us / postUs);
    }
}

void ReportWaitForRoom(CVantrelRemoteDlg& dialog)
{
    WithoutJukebox noJukebox(dialog);
    DrainMessages();
    const double below = PostsMicroseconds(kPostsTimed);
    DrainMessages();
    FillToTheBound();
    const double ownThread = PostsMicroseconds(kPostsTimed);
    DrainMessages();
    FillToTheBound();
    const std::vector<double> waits = RoomWaits(dialog.m_hWnd);
    DrainMessages();
    std::printf("\nThe wait for room: the hand-over queue of commands holds at most %zu of them.\n"
                "  a post below the bound                               %8.1f us\n"
                "  a post at the bound, on the window's own thread      %8.1f us (it cannot wait for itself)\n"
                "  a post at the bound, on another thread: from the window taking a command to that post's\n"
                "  return, %zu waits: median %.1f us, p99 %.1f us\n",
                kMaxPayloadsWaiting, below, ownThread, waits.size(), Median(waits), Percentile(waits, 0.99));
}
