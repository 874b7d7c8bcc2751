// Events 1 to 7: one state block each, the cache store of events 1 to 5 after
// their block, and command 203 ahead of the block for "launched".
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "RecordedHandlerOutputs.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

struct StateCase
{
    std::string text;
    unsigned char value;
};

// Events 1 to 5 store the value they sent; 6 and 7 do not.
void ExpectStates(std::uint32_t event, unsigned char code, const std::vector<StateCase>& cases)
{
    for (const StateCase& state : cases) {
        SCOPED_TRACE("event " + std::to_string(event) + " \"" + state.text + "\"");
        std::vector<HandlerOutput> expected{Block({0x02, code, state.value})};
        if (event <= 5)
            expected.push_back(Store(code, state.value));
        EXPECT_THAT(OutputsOfEvent(event, state.text), ElementsAreArray(expected));
    }
}

TEST(StateHandlerTest, Event1SetsABitForEachLetterItContains)
{
    ExpectStates(1, 0xA1, {
        {"", 0x00},     {"t", 0x01},     {"#", 0x02},   {"n", 0x04},   {"a", 0x08},     {"T#", 0x02},
        {"#nat", 0x0F}, {"stand", 0x0D}, {"xyz", 0x00}, {"ttt", 0x01}, {"A N T", 0x00}, {"\"t\"", 0x01},
    });
}

TEST(StateHandlerTest, Event2KnowsThreeExactWords)
{
    ExpectStates(2, 0xA2, {
        {"stopped", 0x00},  {"playing", 0x01}, {"paused", 0x04}, {"Playing", 0x00}, {"", 0x00},
        {"playing ", 0x00}, {" paused", 0x00}, {"play", 0x00},   {"PAUSED", 0x00},  {"\"playing\"", 0x00},
    });
}

TEST(StateHandlerTest, Event3LooksForASmallR)
{
    ExpectStates(3, 0xA8, {{"repeat", 0x02}, {"R", 0x00}, {"", 0x00}, {"off", 0x00}, {"xr", 0x02}});
}

TEST(StateHandlerTest, Event4FlagsANumberOfZero)
{
    ExpectStates(4, 0xA3, {
        {"0", 0x01}, {"", 0x01},   {"abc", 0x01}, {"  0", 0x01},         {"-0", 0x01},
        {"7", 0x00}, {"-1", 0x00}, {" +3", 0x00}, {"99999999999", 0x00}, {"00", 0x01},
    });
}

TEST(StateHandlerTest, Event5ScalesAPercentageWithWrappingSignedArithmetic)
{
    ExpectStates(5, 0xA6, {
        {"0", 0x00}, {"50", 0x7F}, {"100", 0xFF}, {"200", 0xFE}, {"-10", 0xE7},
        {"", 0x00},  {"1", 0x02},  {"99", 0xFC},  {" 100%", 0xFF},
        // 8421505 * 255 is 2147483775, just beyond INT32_MAX: the product
        // wraps to -2147483521, and that divided by 100 is -21474835.
        {"8421505", 0xED},
        // Reads saturate: INT32_MAX * 255 wraps to 2147483393, INT32_MIN * 255
        // to INT32_MIN.
        {"2147483647", 0x11},
        {"99999999999", 0x11},
        {"-2147483648", 0xEC},
    });
}

TEST(StateHandlerTest, Event6AnnouncesLaunchAndCloseWithoutCaching)
{
    ExpectStates(6, 0xA9, {{"closed", 0x21}, {"", 0x00}, {"Launched", 0x00}, {"launched ", 0x00}});
}

TEST(StateHandlerTest, LaunchedQueuesCommand203BeforeTheBlock)
{
    EXPECT_THAT(OutputsOfEvent(6, "launched"), ElementsAre(WmAppcommandZero(), Block({0x02, 0xA9, 0x20})));
}

TEST(StateHandlerTest, Event7KnowsThreeTransportWords)
{
    ExpectStates(7, 0xA9, {
        {"shuffle", 0x01},       {"seek_forward", 0x02}, {"seek_backward", 0x03},
        {"seek_forward ", 0x00}, {"", 0x00},             {"Shuffle", 0x00},
    });
}

}  // namespace
