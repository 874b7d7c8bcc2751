#include "crash/StackWalk.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A fake stack of words; only it passes the probe.
std::uintptr_t g_stack[32];

std::uintptr_t Slot(std::size_t index)
{
    return reinterpret_cast<std::uintptr_t>(g_stack) + index * sizeof(std::uintptr_t);
}

bool InFakeStack(std::uintptr_t address, std::size_t length)
{
    return address >= Slot(0) && address <= Slot(32) && length <= Slot(32) - address;
}

// Frame records at slots 2, 6, 10 and 14: each holds the caller's frame and
// the return address into it. The chain ends with a frame pointer of 0.
void BuildChain()
{
    for (auto& word : g_stack)
        word = 0;
    const std::size_t frames[] = {2, 6, 10, 14};
    for (std::size_t i = 0; i < 4; ++i) {
        g_stack[frames[i]] = i + 1 < 4 ? Slot(frames[i + 1]) : 0;
        g_stack[frames[i] + 1] = 0x401000 + 0x100 * (i + 1);
    }
}

std::vector<StackFrame> Walk(StackFrame first)
{
    std::vector<StackFrame> visited;
    WalkStack(first, &InFakeStack, &StepFramePointer, [&](const StackFrame& frame) { visited.push_back(frame); });
    return visited;
}

constexpr std::uintptr_t kFaultPc = 0x401234;

}  // namespace

TEST(StackWalkTest, FollowsTheFramePointerChainUntilItEnds)
{
    BuildChain();
    const auto visited = Walk({kFaultPc, Slot(2)});
    ASSERT_EQ(visited.size(), 4u);
    EXPECT_EQ(visited[0].pc, kFaultPc);
    EXPECT_EQ(visited[0].frame, Slot(2));
    EXPECT_EQ(visited[1].pc, 0x401100u);
    EXPECT_EQ(visited[1].frame, Slot(6));
    EXPECT_EQ(visited[3].pc, 0x401300u);
    EXPECT_EQ(visited[3].frame, Slot(14));
}

TEST(StackWalkTest, WritesTheFirstFrameEvenWhenItsFramePointerIsUnusable)
{
    BuildChain();
    for (const std::uintptr_t frame : {std::uintptr_t{0}, Slot(31), Slot(0) - 8}) {
        const auto visited = Walk({kFaultPc, frame});
        ASSERT_EQ(visited.size(), 1u);
        EXPECT_EQ(visited[0].frame, frame);
    }
}

TEST(StackWalkTest, StopsAtTheLastGoodFrameOfABrokenChain)
{
    const struct
    {
        const char* broken;
        std::uintptr_t savedFrame;  // what the second frame record holds
        std::uintptr_t returnAddress;
    } cases[] = {
        {"misaligned", Slot(10) + 1, 0x401200},
        {"pointing down", Slot(2), 0x401200},
        {"pointing at itself", Slot(6), 0x401200},
        {"outside usable memory", Slot(40), 0x401200},
        {"zero return address", Slot(10), 0},
    };
    for (const auto& entry : cases) {
        BuildChain();
        g_stack[6] = entry.savedFrame;
        g_stack[7] = entry.returnAddress;
        EXPECT_EQ(Walk({kFaultPc, Slot(2)}).size(), 2u) << entry.broken;
    }
}

TEST(StackWalkTest, StopsWhereTheStepCannotFindACaller)
{
    BuildChain();
    int steps = 0;
    std::vector<StackFrame> visited;
    WalkStack(
        StackFrame{kFaultPc, Slot(2)}, &InFakeStack,
        [&](const StackFrame& current, StackFrame& caller) { return ++steps < 3 && StepFramePointer(current, caller); },
        [&](const StackFrame& frame) { visited.push_back(frame); });
    EXPECT_EQ(visited.size(), 3u);
}
