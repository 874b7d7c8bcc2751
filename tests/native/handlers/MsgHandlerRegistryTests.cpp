#include "handlers/MsgHandlerRegistry.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <vector>

#include "RecordedHandlerOutputs.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<std::uint32_t> EventNumbers(const MsgHandlerRegistry& registry)
{
    std::vector<std::uint32_t> numbers;
    for (const auto& entry : registry)
        numbers.push_back(entry.first);
    return numbers;
}

TEST(MsgHandlerRegistryTest, HoldsExactlyTheSeventeenEvents)
{
    EXPECT_THAT(EventNumbers(GetMsgHandlerRegistry()),
                ElementsAre(1, 2, 3, 4, 5, 6, 7, 12, 100, 101, 102, 104, 105, 106, 107, 108, 109));
}

TEST(MsgHandlerRegistryTest, EventsWithoutAHandlerDoNothing)
{
    for (const std::uint32_t event : {0u, 8u, 9u, 10u, 11u, 13u, 99u, 103u, 110u, 200u, 203u, 2147483648u, 4294967295u}) {
        EXPECT_THAT(OutputsOfEvent(event, "playing"), IsEmpty()) << "event " << event;
        EXPECT_THAT(OutputsOfEvent(event, ""), IsEmpty()) << "event " << event;
    }
}

TEST(MsgHandlerRegistryTest, TheHandlerSeesTheTextUpToItsFirstNul)
{
    EXPECT_THAT(OutputsOfEvent(2, std::string("playing\0junk", 12)),
                ElementsAre(Block({0x02, 0xA2, 0x01}), Store(0xA2, 0x01)));
}

}  // namespace
