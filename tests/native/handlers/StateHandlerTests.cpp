// Events 1 to 7: one state block each, the cache store of events 1 to 5 after
// their block, and command 203 ahead of the block for "launched".
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "RecordedHandlerOutputs.h"

using ::testing::ElementsAre;

namespace {

struct StateCase
{
    std::uint32_t event;
    std::string text;
    unsigned char value;
};

void ExpectCachedState(const StateCase& state, unsigned char code)
{
    SCOPED_TRACE("event " + std::to_string(state.event) + " \"" + state.text + "\"");
    EXPECT_THAT(OutputsOfEvent(state.event, state.text),
                ElementsAre(Block({0x02, code, state.value}), Store(code, state.value)));
}

void ExpectUncachedState(const StateCase& state)
{
    SCOPED_TRACE("event " + std::to_string(state.event) + " \"" + state.text + "\"");
    EXPECT_THAT(OutputsOfEvent(state.event, state.text), ElementsAre(Block({0x02, 0xA9, state.value})));
}

TEST(StateHandlerTest, Event1SetsABitForEachLetterItContains)
{
    const StateCase cases[] = {
        {1, "", 0x00},       {1, "t", 0x01},     {1, "#", 0x02},    {1, "n", 0x04},    {1, "a", 0x08},
        {1, "T#", 0x02},     {1, "#nat", 0x0F},  {1, "stand", 0x0D}, {1, "xyz", 0x00}, {1, "ttt", 0x01},
        {1, "A N T", 0x00},  {1, "\"t\"", 0x01},
    };
    for (const auto& state : cases)
        ExpectCachedState(state, 0xA1);
}

TEST(StateHandlerTest, Event2KnowsThreeExactWords)
{
    const StateCase cases[] = {
        {2, "stopped", 0x00}, {2, "playing", 0x01},  {2, "paused", 0x04},   {2, "Playing", 0x00},
        {2, "", 0x00},        {2, "playing ", 0x00}, {2, " paused", 0x00},  {2, "play", 0x00},
        {2, "PAUSED", 0x00},  {2, "\"playing\"", 0x00},
    };
    for (const auto& state : cases)
        ExpectCachedState(state, 0xA2);
}

TEST(StateHandlerTest, Event3LooksForASmallR)
{
    const StateCase cases[] = {{3, "repeat", 0x02}, {3, "R", 0x00}, {3, "", 0x00}, {3, "off", 0x00}, {3, "xr", 0x02}};
    for (const auto& state : cases)
        ExpectCachedState(state, 0xA8);
}

TEST(StateHandlerTest, Event4FlagsANumberOfZero)
{
    const StateCase cases[] = {
        {4, "0", 0x01},  {4, "", 0x01},   {4, "abc", 0x01}, {4, "  0", 0x01},       {4, "-0", 0x01},
        {4, "7", 0x00},  {4, "-1", 0x00}, {4, " +3", 0x00}, {4, "99999999999", 0x00}, {4, "00", 0x01},
    };
    for (const auto& state : cases)
        ExpectCachedState(state, 0xA3);
}

TEST(StateHandlerTest, Event5ScalesAPercentageWithWrappingSignedArithmetic)
{
    const StateCase cases[] = {
        {5, "0", 0x00},   {5, "50", 0x7F},  {5, "100", 0xFF}, {5, "200", 0xFE}, {5, "-10", 0xE7},
        {5, "", 0x00},    {5, "1", 0x02},   {5, "99", 0xFC},  {5, " 100%", 0xFF},
        // 8421505 * 255 is 2147483775, just beyond INT32_MAX: the product
        // wraps to -2147483521, and that divided by 100 is -21474835.
        {5, "8421505", 0xED},
        // Reads saturate: INT32_MAX * 255 wraps to 2147483393, INT32_MIN * 255
        // to INT32_MIN.
        {5, "2147483647", 0x11},
        {5, "99999999999", 0x11},
        {5, "-2147483648", 0xEC},
    };
    for (const auto& state : cases)
        ExpectCachedState(state, 0xA6);
}

TEST(StateHandlerTest, Event6AnnouncesLaunchAndCloseWithoutCaching)
{
    const StateCase cases[] = {{6, "closed", 0x21}, {6, "", 0x00}, {6, "Launched", 0x00}, {6, "launched ", 0x00}};
    for (const auto& state : cases)
        ExpectUncachedState(state);
}

TEST(StateHandlerTest, LaunchedQueuesCommand203BeforeTheBlock)
{
    EXPECT_THAT(OutputsOfEvent(6, "launched"), ElementsAre(WmAppcommandZero(), Block({0x02, 0xA9, 0x20})));
}

TEST(StateHandlerTest, Event7KnowsThreeTransportWords)
{
    const StateCase cases[] = {
        {7, "shuffle", 0x01},       {7, "seek_forward", 0x02}, {7, "seek_backward", 0x03},
        {7, "seek_forward ", 0x00}, {7, "", 0x00},             {7, "Shuffle", 0x00},
    };
    for (const auto& state : cases)
        ExpectUncachedState(state);
}

}  // namespace
