// What the demo and the console tell a person: blocks in words, the module's
// display built from its memory writes, and the console's reading of a line.
#include <gmock/gmock.h>

#include <cstdint>
#include <string>
#include <vector>

#include "module/ModuleMemoryMap.h"
#include "tools/console/ConsoleCommand.h"
#include "tools/narration/BlockWords.h"
#include "tools/narration/ModuleDisplay.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

std::string Words(const std::vector<std::uint8_t>& block)
{
    return DescribeBlock(block.data(), block.size());
}

// Delivers a block to the display the way the program's mailbox writes it.
std::optional<std::string> Deliver(ModuleDisplay& display, const std::vector<std::uint8_t>& block)
{
    const std::uint8_t zero = 0;
    const std::uint8_t ring = ModuleMap::kDoorbellRing;
    display.Write(ModuleMap::OutboxData, block.data(), block.size(), true);
    display.Write(ModuleMap::OutboxCount, &zero, 1, true);
    return display.Write(ModuleMap::OutboxDoorbell, &ring, 1, true);
}

}  // namespace

TEST(BlockWordsTest, StateAndReplyBlocksReadAsWords)
{
    EXPECT_EQ(Words({0x02, 0xA2, 0x01}), "state: playing");
    EXPECT_EQ(Words({0x02, 0xA6, 0x59}), "volume 35");
    EXPECT_EQ(Words({0x02, 0xA1, 0x05}), "track has: title, a next track");
    EXPECT_EQ(Words({0x07, 0x42, 0x82, 'C', 'a', 'f', 0xE9, 0x01}), "reply to the title query: ok, \"Caf\xC3\xA9\\x01\"");
    EXPECT_EQ(Words({0x05, 0x47, 0x82, 0x01, 0x02, 0x59}), "reply to the time query: ok, 1:02:59");
    EXPECT_EQ(Words({0x05, 0x47, 0x81, 0x00, 0x00, 0x00}), "reply to the time query: unavailable");
    EXPECT_EQ(Words({0x06, 0x4D, 0x82, 0x02, 0x07, 0x12, 0x34}), "reply to the version query: ok, 2.7.1234");
    EXPECT_EQ(Words({0x02, 0x19, 0x81}), "reply to key 25: unavailable");
}

TEST(BlockWordsTest, MalformedBlocksShowTheirBytes)
{
    EXPECT_EQ(Words({}), "block of 0 bytes: ");
    EXPECT_EQ(Words({0x05, 0x42}), "block of 2 bytes: 05 42");
    EXPECT_EQ(Words({0x09, 0x42, 0x82}), "block of 3 bytes: 09 42 82");
}

TEST(ModuleDisplayTest, ShowsWhatTheDoorbellDeliveredAndIgnoresFailedWrites)
{
    ModuleDisplay display;
    EXPECT_EQ(display.Render(),
              "?, volume ?, sound ?, shuffle ?, repeat ?, position ?, host ?; last reply: none");
    EXPECT_EQ(Deliver(display, {0x02, 0xA2, 0x04}), "module took: state: paused");
    Deliver(display, {0x02, 0xA6, 0xFF});
    Deliver(display, {0x05, 0x47, 0x82, 0x00, 0x01, 0x23});
    const std::uint8_t attached = 2;
    EXPECT_EQ(display.Write(ModuleMap::HostLinkState, &attached, 1, true), "module memory: host attached");
    // A block whose doorbell write failed never reached the module.
    const std::vector<std::uint8_t> lost{0x02, 0xA2, 0x01};
    const std::uint8_t ring = ModuleMap::kDoorbellRing;
    display.Write(ModuleMap::OutboxData, lost.data(), lost.size(), true);
    EXPECT_EQ(display.Write(ModuleMap::OutboxDoorbell, &ring, 1, false), std::nullopt);
    EXPECT_EQ(display.Render(), "paused, volume 100, sound ?, shuffle ?, repeat ?, position 0:01:23, host attached; "
                                "last reply: reply to the time query: ok, 0:01:23");
    EXPECT_EQ(display.BlocksTaken(), 3u);
}

TEST(ConsoleCommandTest, KeysByNameOrCodeCarryTheirParameterBytes)
{
    const ConsoleCommand level = ParseConsoleLine("  level 90 ");
    EXPECT_EQ(level.action, ConsoleAction::Key);
    EXPECT_EQ(level.code, 8);
    EXPECT_THAT(level.parameter, ElementsAre(0x00, 90));
    EXPECT_THAT(ParseConsoleLine("find blue hour").parameter, ElementsAre(9, 'b', 'l', 'u', 'e', ' ', 'h', 'o', 'u', 'r'));
    EXPECT_THAT(ParseConsoleLine("state? a2").parameter, ElementsAre(0xA2));
    EXPECT_THAT(ParseConsoleLine("blocks off").parameter, ElementsAre(0));
    const ConsoleCommand raw = ParseConsoleLine("key 0x23 1");
    EXPECT_EQ(raw.code, 35);
    EXPECT_THAT(raw.parameter, ElementsAre(1));
    EXPECT_EQ(ParseConsoleLine("jukebox next").command, 4);
    EXPECT_EQ(ParseConsoleLine("").action, ConsoleAction::Nothing);
}

TEST(ConsoleCommandTest, BadInputGetsOneLineWhy)
{
    for (const char* line : {"bogus", "level 256", "level", "play now", "key 300", "key", "key 1 x", "blocks maybe",
                             "jukebox dance", "quit now", "state? zz"}) {
        const ConsoleCommand command = ParseConsoleLine(line);
        EXPECT_EQ(command.action, ConsoleAction::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
        EXPECT_EQ(command.error.find('\n'), std::string::npos) << line;
    }
    EXPECT_THAT(ConsoleHelp(), HasSubstr("title?"));
}
