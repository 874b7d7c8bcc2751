// The road of a query through the reference jukebox's player: a command as a
// key action posts it, the player's answer event, the handler's reply block;
// and the player's own notifications reaching the module as state blocks.
#include <gmock/gmock.h>

#include "EventDialogFixture.h"
#include "JournalText.h"
#include "SubstituteModule.h"
#include "jukebox/JukeboxCommandChannel.h"

using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

class JukeboxQueryTest : public EventDialogTest
{
protected:
    // Posts the command as a key action does and waits for the answers it
    // brings, then returns the blocks the module took meanwhile.
    std::vector<std::string> Ask(int command, size_t events = 1)
    {
        RzmbClearJournals();
        const size_t before = EventLines().size();
        PostJukeboxCommand(command, nullptr);
        WaitForEventLines(before + events);
        return SubstituteModule::Blocks();
    }
};

}  // namespace

TEST_F(JukeboxQueryTest, EveryQueryIsAnsweredWithItsReplyBlock)
{
    EXPECT_THAT(Ask(12), ElementsAre("04 4c 82 00 7f"));
    EXPECT_THAT(Ask(100), ElementsAre(TextReplyHex(0x42, "Harbour Lights")));
    EXPECT_THAT(Ask(101), ElementsAre(TextReplyHex(0x41, "The Quiet Tides")));
    EXPECT_THAT(Ask(102), ElementsAre(TextReplyHex(0x40, "Low Water")));
    EXPECT_THAT(Ask(104), ElementsAre("06 4d 82 02 07 12 34"));
    EXPECT_THAT(Ask(105), ElementsAre(TextReplyHex(0x4E, "Ambient")));
    EXPECT_THAT(Ask(106), ElementsAre("02 4a 82"));
    EXPECT_THAT(Ask(107), ElementsAre(TextReplyHex(0x46, "Paper Compass")));
    // The quoted path loses its quotes and is cut to the 37 bytes the device shows.
    EXPECT_THAT(Ask(108), ElementsAre(TextReplyHex(0x52, "C:\\Music\\The Quiet Tides\\Low Water\\01")));
    EXPECT_THAT(Ask(109), ElementsAre("05 47 81 00 00 00"));
}

TEST_F(JukeboxQueryTest, ThePlayersNotificationsBecomeStateBlocks)
{
    EXPECT_THAT(Ask(1), ElementsAre("02 a2 01"));
    EXPECT_THAT(Ask(109), ElementsAre(StartsWith("05 47 82 00 00")));
    EXPECT_THAT(Ask(8, 2), ElementsAre("02 a6 8c", "02 a3 00"));
    EXPECT_THAT(Ask(10), ElementsAre("02 a3 01"));
    EXPECT_THAT(Ask(14), ElementsAre("02 a8 02"));
    EXPECT_THAT(Ask(13), ElementsAre("02 a9 01"));
    EXPECT_THAT(Ask(6), ElementsAre("02 a9 02"));
    EXPECT_THAT(Ask(3), ElementsAre("02 a2 00"));
}

TEST_F(JukeboxQueryTest, ARestartedJukeboxIsGivenTheSettingAgain)
{
    m_jukebox->ClearJournal();
    const size_t before = EventLines().size();
    ASSERT_TRUE(m_jukebox->RestartPlayer());
    WaitForEventLines(before + 2);
    EXPECT_THAT(EventLines(), ElementsAre("Event 6 from Cantora with data: closed",
                                          "Event 6 from Cantora with data: launched"));
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a9 21", "02 a9 20"));
    const auto journal = m_jukebox->Journal();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(journal.back().operation, "SendCommandWithData");
    EXPECT_EQ(journal.back().text, L"WmAppcommand=0");
}
