#include "WineTestSupport.h"

#include <atomic>
#include <thread>

#include "framework/ListCtrl.h"

bool PumpMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        if (done())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void DrainMessages()
{
    PumpMessagesUntil([] { return true; });
}

bool RunOnOtherThreadPumping(const std::function<void()>& work)
{
    std::atomic<bool> done{false};
    std::thread other([&] {
        work();
        done = true;
    });
    const bool finished = PumpMessagesUntil([&] { return done.load(); });
    other.join();
    DrainMessages();
    return finished;
}

std::vector<std::string> LogDetails(const CListCtrl& eventLog)
{
    std::vector<std::string> details;
    for (int row = 0; row < eventLog.GetItemCount(); ++row)
        details.push_back(eventLog.GetItemText(row, 1).Str());
    return details;
}
