// Where a command's time goes between the key's dispatch and the jukebox: the
// post on the reader's side, the wake of the window's thread that the post
// brings when that thread waits for work, the window's taking, dispatching
// and logging, and the jukebox call itself.
#include <windows.h>

#include <cstdio>
#include <thread>
#include <vector>

#include "BenchReport.h"
#include "InProcessFigures.h"
#include "jukebox/JukeboxCommandChannel.h"
#include "res/resource.h"
#include "tests/wine/WineTestSupport.h"

namespace {

constexpr int kRounds = 5;
constexpr int kCommands = 200;

// Posts the round's commands from a thread of its own, as the reader does;
// the time of one post.
double PostFromAnotherThread()
{
    double perPost = 0;
    std::thread reader([&] {
        const double start = NowMicroseconds();
        for (int i = 0; i < kCommands; ++i)
            PostJukeboxCommand(kStopCommand, nullptr);
        perPost = (NowMicroseconds() - start) / kCommands;
    });
    reader.join();
    return perPost;
}

// The window's time for each command waiting for it.
double TakeAll()
{
    const double start = NowMicroseconds();
    DrainMessages();
    return (NowMicroseconds() - start) / kCommands;
}

// From a post on another thread to the window's thread, idle in
// GetMessage, returning with it: what a single key's command waits before the
// window takes it. Each post comes after a pause, so that the window's thread
// is surely waiting.
double WakeByPost(HWND window)
{
    constexpr UINT kProbe = WM_APP + 0x3F;  // a message the dialog does not handle
    std::vector<double> postedAt(kCommands), wakes;
    std::thread poster([&] {
        for (int i = 0; i < kCommands; ++i) {
            ::Sleep(1);
            postedAt[static_cast<std::size_t>(i)] = NowMicroseconds();
            ::PostMessageA(window, kProbe, static_cast<WPARAM>(i), 0);
        }
    });
    MSG message;
    while (static_cast<int>(wakes.size()) < kCommands && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == window && message.message == kProbe)
            wakes.push_back(NowMicroseconds() - postedAt[message.wParam]);
        else
            ::DispatchMessageA(&message);
    }
    poster.join();
    return Median(wakes);
}

// The calling thread's processor time, user and kernel, in microseconds.
double ThreadProcessorMicroseconds()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto microseconds = [](const FILETIME& time) {
        return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 10;
    };
    return microseconds(kernel) + microseconds(user);
}

double BareCalls(CVantrelRemoteDlg& dialog)
{
    const auto window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(dialog.m_hWnd));
    const double start = NowMicroseconds();
    for (int i = 0; i < kCommands; ++i) {
        LONG result = 0;
        dialog.m_jukeboxLink->SendCommand(window, kStopCommand, &result);
    }
    return (NowMicroseconds() - start) / kCommands;
}

}  // namespace

void ReportCommandCost(CVantrelRemoteDlg& dialog)
{
    if (!dialog.m_jukeboxLink) {
        std::printf("\nWhere a command's time goes: no jukebox to call\n");
        return;
    }
    std::vector<double> posts, wakes, takes, debugTakes, calls, wholes, shares;
    // Summed over the rounds: the system counts processor time in ticks of
    // some 10 ms, about one round's worth.
    double callProcessor = 0, wholeProcessor = 0;
    for (int round = 0; round < kRounds; ++round) {
        {
            WithoutJukebox noJukebox(dialog);
            wakes.push_back(WakeByPost(dialog.m_hWnd));
            posts.push_back(PostFromAnotherThread());
            takes.push_back(TakeAll());
            dialog.m_debugMode = true;
            PostFromAnotherThread();
            debugTakes.push_back(TakeAll());
            dialog.m_debugMode = false;
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CLEAR, BN_CLICKED));
        }
        double processor = ThreadProcessorMicroseconds();
        calls.push_back(BareCalls(dialog));
        callProcessor += ThreadProcessorMicroseconds() - processor;
        PostFromAnotherThread();
        processor = ThreadProcessorMicroseconds();
        wholes.push_back(TakeAll());
        wholeProcessor += ThreadProcessorMicroseconds() - processor;
        shares.push_back(100.0 * (wholes.back() - calls.back()) / wholes.back());
    }
    std::printf("\nWhere a command's time goes (median of %d rounds of %d commands):\n"
                "  posting it, on another thread as the reader does       %8.1f us\n"
                "  the wake of the window's thread, idle until the post    %8.1f us (median of the rounds' medians)\n"
                "  taking, dispatching and logging it, jukebox left out   %8.1f us (debug mode, with its row: %.1f us)\n"
                "  the jukebox call alone, from the window's thread       %8.1f us\n"
                "  the window's whole handling, jukebox call included     %8.1f us: the program's own share %.0f%%\n"
                "  the window thread's processor time per command, over all rounds: %.0f us in the bare call,\n"
                "  %.0f us in the whole handling (a wait for the jukebox that spun while commands queue behind\n"
                "  it would come near the whole handling's time here)\n",
                kRounds, kCommands, Median(posts), Median(wakes), Median(takes), Median(debugTakes), Median(calls),
                Median(wholes), Median(shares), callProcessor / (kRounds * kCommands), wholeProcessor / (kRounds * kCommands));
}
