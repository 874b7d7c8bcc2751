// The event channel on the real message loop: the text fetched by key and
// converted, the event dispatched, then logged.
#include <gmock/gmock.h>

#include "EventDialogFixture.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"
#include "jukebox/JukeboxEventMessage.h"
#include "module/ModuleStateCache.h"

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;
using ::testing::SizeIs;

using JukeboxEventChannelTest = EventDialogTest;

TEST_F(JukeboxEventChannelTest, FetchesTheTextByItsKeyThenHandlesAndLogsTheEvent)
{
    RaiseEvent(2, L"playing");
    const auto journal = m_jukebox->Journal();
    ASSERT_THAT(journal, SizeIs(1));
    EXPECT_EQ(journal[0].operation, "GetEventData");
    EXPECT_GT(journal[0].number, 0) << "the key the jukebox chose";
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01"));
    EXPECT_THAT(LogDetails(), ElementsAre("Event 2 from Cantora with data: playing", "RzmaSetMem: a4f4, 3 :02 a2 01 ",
                                          "RzmaSetMem: a4f2, 1 :00 ", "RzmaSetMem: b0a0, 1 :c0 "));
}

TEST_F(JukeboxEventChannelTest, AMissingTextIsTheEmptyTextAndTheLineHasNoData)
{
    RaiseEvent(100, L"", true);  // GetEventData gives a null BSTR
    RaiseEvent(100, L"");
    // A key the jukebox never handed out: GetEventData fails.
    ::PostMessageA(m_dialog->m_hWnd, WM_JUKEBOX_EVENT, 100, 0x7FFFFFF0);
    WaitForEventLines(3);
    EXPECT_THAT(EventLines(), Each(std::string("Event 100 from Cantora")));
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 42 81", "02 42 81", "02 42 81"));
}

TEST_F(JukeboxEventChannelTest, TextsArriveInTheAnsiCodePageUpToTheirFirstNul)
{
    // U+4E2D is not in the code page: it arrives as the default character.
    RaiseEvent(100, L"Caf\u00E9 \u20AC \u4E2D");
    RaiseEvent(100, std::wstring(L"ab\0cd", 5));
    EXPECT_THAT(EventLines(), ElementsAre("Event 100 from Cantora with data: Caf\xE9 \x80 ?",
                                          "Event 100 from Cantora with data: ab"));
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("0a 42 82 43 61 66 e9 20 80 20 3f", "04 42 82 61 62"));
}

TEST_F(JukeboxEventChannelTest, EventsWithoutAHandlerChangeNothingButAreLogged)
{
    RaiseEvent(2, L"paused");
    RzmbClearJournals();
    m_jukebox->ClearJournal();
    for (const long number : {0L, 8L, 103L, 110L, -1L})
        RaiseEvent(number, L"playing");
    EXPECT_THAT(EventLines(), ElementsAre("Event 2 from Cantora with data: paused", "Event 0 from Cantora with data: playing",
                                          "Event 8 from Cantora with data: playing",
                                          "Event 103 from Cantora with data: playing",
                                          "Event 110 from Cantora with data: playing",
                                          "Event -1 from Cantora with data: playing"));
    EXPECT_THAT(SubstituteModule::Writes(), IsEmpty());
    EXPECT_THAT(m_jukebox->Journal(), Each(Field(&JournalEntry::operation, "GetEventData")));
    EXPECT_EQ(CachedStateAnswer(0xA2), 0x04) << "the cache keeps the last play state";
}

TEST_F(JukeboxEventChannelTest, AStateQueryAfterPlayingAnswersPlayingAlsoWhileWritesWereOff)
{
    SwitchModuleWrites(0);
    RaiseEvent(2, L"playing");
    EXPECT_THAT(SubstituteModule::Blocks(), IsEmpty()) << "delivery is off";
    EXPECT_THAT(LogDetails(), ElementsAre("Event 2 from Cantora with data: playing"));

    SwitchModuleWrites(1);
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0xA2});
    PressKey(81);
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 01"));
}
