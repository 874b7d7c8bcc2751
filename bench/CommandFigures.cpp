// Where a command's time goes between the key's dispatch and the jukebox: the
// post on the reader's side, the window's taking, dispatching and logging,
// and the jukebox call itself.
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
    std::vector<double> posts, takes, debugTakes, calls, wholes, shares;
    for (int round = 0; round < kRounds; ++round) {
        {
            WithoutJukebox noJukebox(dialog);
            posts.push_back(PostFromAnotherThread());
            takes.push_back(TakeAll());
            dialog.m_debugMode = true;
            PostFromAnotherThread();
            debugTakes.push_back(TakeAll());
            dialog.m_debugMode = false;
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CLEAR, BN_CLICKED));
        }
        calls.push_back(BareCalls(dialog));
        PostFromAnotherThread();
        wholes.push_back(TakeAll());
        shares.push_back(100.0 * (wholes.back() - calls.back()) / wholes.back());
    }
    std::printf("\nWhere a command's time goes (median of %d rounds of %d commands):\n"
                "  posting it, on another thread as the reader does       %8.1f us\n"
                "  taking, dispatching and logging it, jukebox left out   %8.1f us (debug mode, with its row: %.1f us)\n"
                "  the jukebox call alone, from the window's thread       %8.1f us\n"
                "  the window's whole handling, jukebox call included     %8.1f us: the program's own share %.0f%%\n",
                kRounds, kCommands, Median(posts), Median(takes), Median(debugTakes), Median(calls), Median(wholes),
                Median(shares));
}
