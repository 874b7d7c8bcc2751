#include "framework/PostedPayloadQueue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(PostedPayloadQueueTest, EachTokenReleasesItsPayloadOnce)
{
    PostedPayloadQueue<std::string> queue;
    const auto first = queue.Push("one");
    const auto second = queue.Push("two");
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_THAT(queue.TakeThrough(first), ElementsAre("one"));
    EXPECT_THAT(queue.TakeThrough(first), IsEmpty());
    EXPECT_THAT(queue.TakeThrough(second), ElementsAre("two"));
    EXPECT_EQ(queue.Size(), 0u);
}

TEST(PostedPayloadQueueTest, ForeignTokensReleaseNothing)
{
    PostedPayloadQueue<int> queue;
    const auto token = queue.Push(7);
    for (std::uintptr_t foreign : {std::uintptr_t{0}, token + 1, token - 1, ~std::uintptr_t{0}, std::uintptr_t{1}})
        EXPECT_THAT(queue.TakeThrough(foreign), IsEmpty());
    EXPECT_EQ(queue.Size(), 1u);
}

TEST(PostedPayloadQueueTest, ALaterTokenReleasesEarlierPayloadsInOrder)
{
    // A stranger replaying a live token can only make payloads arrive early,
    // never twice and never out of order.
    PostedPayloadQueue<int> queue;
    const auto first = queue.Push(1);
    queue.Push(2);
    const auto third = queue.Push(3);
    const auto fourth = queue.Push(4);
    EXPECT_THAT(queue.TakeThrough(third), ElementsAre(1, 2, 3));
    EXPECT_THAT(queue.TakeThrough(first), IsEmpty());
    EXPECT_THAT(queue.TakeThrough(fourth), ElementsAre(4));
}

TEST(PostedPayloadQueueTest, DiscardDropsOnlyThatPayload)
{
    PostedPayloadQueue<std::unique_ptr<int>> queue;
    const auto first = queue.Push(std::make_unique<int>(1));
    const auto second = queue.Push(std::make_unique<int>(2));
    const auto third = queue.Push(std::make_unique<int>(3));
    queue.Discard(second);
    queue.Discard(second);
    const auto taken = queue.TakeThrough(third);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(*taken[0], 1);
    EXPECT_EQ(*taken[1], 3);
    EXPECT_THAT(queue.TakeThrough(first), IsEmpty());
}

TEST(PostedPayloadQueueTest, TwoQueuesDoNotShareTokens)
{
    PostedPayloadQueue<int> one;
    PostedPayloadQueue<int> other;
    const auto token = one.Push(1);
    EXPECT_THAT(other.TakeThrough(token), IsEmpty());
}

TEST(PostedPayloadQueueTest, PayloadsPushedFromManyThreadsAreEachTakenOnce)
{
    PostedPayloadQueue<int> queue;
    constexpr int kThreads = 4;
    constexpr int kPerThread = 1000;
    std::vector<std::thread> threads;
    std::vector<std::vector<PostedPayloadQueue<int>::Token>> tokens(kThreads);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i)
                tokens[t].push_back(queue.Push(t * kPerThread + i));
        });
    }
    for (auto& thread : threads)
        thread.join();

    std::vector<int> seen(kThreads * kPerThread, 0);
    for (int t = 0; t < kThreads; ++t) {
        int previous = -1;
        for (const auto token : tokens[t]) {
            for (int value : queue.TakeThrough(token)) {
                ++seen[static_cast<size_t>(value)];
                if (value / kPerThread == t) {
                    EXPECT_GT(value, previous);  // one thread's payloads keep their order
                    previous = value;
                }
            }
        }
    }
    for (int count : seen)
        EXPECT_EQ(count, 1);
}

TEST(PostedPayloadQueueTest, RoomComesWhenPayloadsAreTakenOrDiscarded)
{
    PostedPayloadQueue<int> queue;
    const auto first = queue.Push(1);
    EXPECT_TRUE(queue.HasRoom(2));
    const auto second = queue.Push(2);
    EXPECT_FALSE(queue.HasRoom(2));
    EXPECT_FALSE(queue.WaitForRoom(2, std::chrono::milliseconds(1)));
    std::thread taker([&] { queue.TakeThrough(first); });
    EXPECT_TRUE(queue.WaitForRoom(2, std::chrono::seconds(30)));
    taker.join();
    std::thread discarder([&] { queue.Discard(second); });
    EXPECT_TRUE(queue.WaitForRoom(1, std::chrono::seconds(30)));
    discarder.join();
}
