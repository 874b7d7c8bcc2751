// Jukebox events through the real program: the reference jukebox posts them,
// the program fetches their texts, and our module library receives the
// blocks the handlers made.
#include <gmock/gmock.h>

#include <cstdio>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "JournalText.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::Field;
using ::testing::SizeIs;

namespace {

struct ChosenEvent
{
    long number;
    std::wstring text;
    std::string block;
};

// The three log lines of one delivered block, given as "02 a2 01".
std::vector<std::string> BlockWriteLines(const std::string& block)
{
    char head[32];
    std::snprintf(head, sizeof head, "RzmaSetMem: a4f4, %zx :", (block.size() + 1) / 3);
    return {head + block + " ", "RzmaSetMem: a4f2, 1 :00 ", "RzmaSetMem: b0a0, 1 :c0 "};
}

class JukeboxEventTest : public ProgramTest
{
protected:
    // Starts the program with block delivery on and waits until its
    // start-up has settled; journals and log are empty then.
    void StartWithModule()
    {
        SubstituteModule::Reset();
        SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});
        StartProgram("-debug");
        SaveLogAfterQueuedWork();
        RzmbClearJournals();
        Jukebox().ClearJournal();
        Click(kClearButton);
    }

    void Post(long number, const std::wstring& text) const
    {
        ASSERT_TRUE(Jukebox().PostEvent(number, text)) << "event " << number;
    }

    // Waits until the module has taken count blocks in all.
    static void WaitForBlocks(std::uint32_t count)
    {
        EXPECT_TRUE(WaitUntil([&] { return RzmbBlockCount() >= count; }))
            << RzmbBlockCount() << " of " << count << " blocks arrived";
    }
};

}  // namespace

TEST_F(JukeboxEventTest, EveryHandledEventReachesTheModuleAsItsBlockInOrder)
{
    const std::string longTitle = "An Overture That Keeps Going Long After The Curtain";
    const std::vector<ChosenEvent> events = {
        {1, L"t#na", "02 a1 0f"},
        {2, L"playing", "02 a2 01"},
        {3, L"repeat", "02 a8 02"},
        {4, L"0", "02 a3 01"},
        {5, L"50", "02 a6 7f"},
        {6, L"launched", "02 a9 20"},
        {7, L"seek_backward", "02 a9 03"},
        {12, L"100", "04 4c 82 00 ff"},
        {100, L"Harbour Lights \r\n", TextReplyHex(0x42, "Harbour Lights")},
        {101, L"\"The Quiet Tides\"", TextReplyHex(0x41, "The Quiet Tides")},
        {102, std::wstring(longTitle.begin(), longTitle.end()), TextReplyHex(0x40, longTitle.substr(0, 37))},
        {104, L"7.3.245", "06 4d 82 07 03 02 45"},
        {105, L"", "02 4e 81"},
        {106, L"error", "02 4a 83"},
        {107, L"  \"", TextReplyHex(0x46, "  ")},
        {108, L"\"C:\\Music\\Tide.mp3\"", TextReplyHex(0x52, "C:\\Music\\Tide.mp3")},
        {109, L"3723000", "05 47 82 01 02 03"},
    };
    StartWithModule();
    std::vector<std::string> expected;
    for (const ChosenEvent& event : events) {
        Post(event.number, event.text);
        expected.push_back(event.block);
    }
    WaitForBlocks(static_cast<std::uint32_t>(expected.size()));
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAreArray(expected));

    // Only "launched" sends a command: the setting, again.
    std::vector<JournalEntry> commands;
    for (const JournalEntry& entry : Jukebox().Journal()) {
        if (entry.operation != "GetEventData")
            commands.push_back(entry);
    }
    ASSERT_THAT(commands, SizeIs(1));
    EXPECT_EQ(commands[0].number, 203);
    EXPECT_EQ(commands[0].text, L"WmAppcommand=0");
}

TEST_F(JukeboxEventTest, EventsWithoutAHandlerChangeNothingButAreLogged)
{
    StartWithModule();
    for (const long number : {0L, 8L, 103L, 110L, -1L})
        Post(number, L"playing");
    Post(106, L"ok");  // handled after all of them
    WaitForBlocks(1);
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 4a 82"));
    EXPECT_THAT(Jukebox().Journal(), Each(Field(&JournalEntry::operation, "GetEventData")));

    std::vector<std::string> expected{"Event 0 from Cantora with data: playing", "Event 8 from Cantora with data: playing",
                                      "Event 103 from Cantora with data: playing",
                                      "Event 110 from Cantora with data: playing",
                                      "Event -1 from Cantora with data: playing", "Event 106 from Cantora with data: ok"};
    const auto writes = BlockWriteLines("02 4a 82");
    expected.insert(expected.end(), writes.begin(), writes.end());
    EXPECT_THAT(LogTexts(SaveLog()), ElementsAreArray(expected));
}

TEST_F(JukeboxEventTest, TheSavedLogShowsEachEventBeforeWhatItsHandlerQueued)
{
    StartWithModule();
    Post(6, L"launched");
    WaitForBlocks(1);
    Post(2, L"playing");
    WaitForBlocks(2);
    Post(7, L"");
    WaitForBlocks(3);

    std::vector<std::string> expected{"Event 6 from Cantora with data: launched",
                                      "Command to Cantora: 203  Data: WmAppcommand=0"};
    for (const std::string& line : BlockWriteLines("02 a9 20"))
        expected.push_back(line);
    expected.push_back("Event 2 from Cantora with data: playing");
    for (const std::string& line : BlockWriteLines("02 a2 01"))
        expected.push_back(line);
    expected.push_back("Event 7 from Cantora");
    for (const std::string& line : BlockWriteLines("02 a9 00"))
        expected.push_back(line);
    EXPECT_THAT(LogTexts(SaveLog()), ElementsAreArray(expected));
}
