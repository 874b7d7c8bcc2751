#include "common/SlimLock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "framework/PostedPayloadQueue.h"
#include "standins/remotesim/HandleTable.h"

namespace {

// Threads that meet on the program's locks and waits leave no kernel object
// behind, however often and whenever they meet: the count of the process's
// handles is the same afterwards.
TEST(SlimLock, ThreadsMeetingOnItLeaveNoHandleBehind)
{
    const DWORD self = ::GetCurrentProcessId();
    std::thread([] {}).join();  // a thread's own first-time costs, not counted
    const std::size_t before = CountProcessHandles(self);

    PostedPayloadQueue<int> queue;
    std::thread pusher([&] {
        for (int i = 0; i < 200000; ++i)
            queue.Push(i);
    });
    for (int i = 0; i < 1000; ++i)
        queue.TakeThrough(queue.Push(-1));
    pusher.join();
    // A queue full at one payload: the wait runs out.
    queue.Push(0);
    EXPECT_FALSE(queue.WaitForRoom(1, std::chrono::milliseconds(20)));

    EXPECT_EQ(CountProcessHandles(self), before);
}

}  // namespace
