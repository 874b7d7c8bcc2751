// The reference jukebox's player with a clock of the test's own: which
// events each command raises, in which order and for which window.
#include "standins/refjukebox/Player.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct RaisedEvent
{
    long window;
    long number;
    std::wstring text;

    friend bool operator==(const RaisedEvent& left, const RaisedEvent& right)
    {
        return left.window == right.window && left.number == right.number && left.text == right.text;
    }
    friend void PrintTo(const RaisedEvent& event, std::ostream* stream)
    {
        *stream << "window " << event.window << " event " << event.number << " \"";
        for (const wchar_t character : event.text)
            *stream << (character < 128 ? static_cast<char>(character) : '?');
        *stream << "\"";
    }
};

// A notification for the registered window, or an answer for window 77.
RaisedEvent Note(long number, const std::wstring& text)
{
    return RaisedEvent{0, number, text};
}
RaisedEvent Answer(long number, const std::wstring& text)
{
    return RaisedEvent{77, number, text};
}

class PlayerTest : public ::testing::Test
{
protected:
    // Sends a command from window 77 and returns the events it raised.
    std::vector<RaisedEvent> Command(long command, std::optional<std::wstring> data = std::nullopt)
    {
        m_raised.clear();
        m_result = m_player.HandleCommand(77, command, data);
        return std::exchange(m_raised, {});
    }
    std::wstring Ask(long query)
    {
        const auto events = Command(query);
        return events.empty() ? L"<none>" : events.back().text;
    }
    void Wait(std::int64_t milliseconds) { m_now += milliseconds; }

    std::int64_t m_now = 1000000;
    std::vector<RaisedEvent> m_raised;
    long m_result = -1;
    CPlayer m_player{[this](long window, long number, const std::wstring& text) { m_raised.push_back({window, number, text}); },
                     [this] { return m_now; }};
};

TEST_F(PlayerTest, AnswersEveryQueryToTheWindowThatAsked)
{
    const std::vector<std::pair<long, std::wstring>> queries = {
        {12, L"50"},
        {100, L"Harbour Lights"},
        {101, L"The Quiet Tides"},
        {102, L"Low Water"},
        {104, L"2.7.1234"},
        {105, L"Ambient"},
        {106, L"ok"},
        {107, L"Paper Compass"},
        {108, L"\"C:\\Music\\The Quiet Tides\\Low Water\\01 Harbour Lights.mp3\""},
        {109, L"not_playing"},
    };
    for (const auto& [query, answer] : queries) {
        EXPECT_THAT(Command(query), ElementsAre(Answer(query, answer))) << "query " << query;
        EXPECT_EQ(m_result, 1);
    }
}

TEST_F(PlayerTest, ThePositionAdvancesOnlyWhilePlaying)
{
    EXPECT_THAT(Command(1), ElementsAre(Note(2, L"playing")));
    Wait(1500);
    EXPECT_EQ(Ask(109), L"1500");
    EXPECT_THAT(Command(2), ElementsAre(Note(2, L"paused")));
    Wait(5000);
    EXPECT_EQ(Ask(109), L"1500");
    EXPECT_THAT(Command(15), ElementsAre(Note(2, L"playing")));
    Wait(500);
    EXPECT_EQ(Ask(109), L"2000");
    EXPECT_THAT(Command(1), IsEmpty()) << "already playing";
    EXPECT_THAT(Command(3), ElementsAre(Note(2, L"stopped")));
    EXPECT_EQ(Ask(109), L"not_playing");
    EXPECT_THAT(Command(2), IsEmpty()) << "nothing to pause";
    EXPECT_EQ(m_player.State(), 0);
}

TEST_F(PlayerTest, AFinishedTrackGivesWayToTheNextAndTheLastOneStops)
{
    Command(1);
    Wait(215000 + 1000);
    EXPECT_EQ(Ask(100), L"Paper Compass");
    EXPECT_EQ(Ask(109), L"1000");

    // The last track has no track after it ("n" goes) and no artist-less gap.
    EXPECT_THAT(Command(20, L"6"), ElementsAre(Note(1, L"t#a")));
    Wait(264000);
    // Time is caught up before the query is answered.
    EXPECT_THAT(Command(109), ElementsAre(Note(2, L"stopped"), Note(1, L"t#na"), Answer(109, L"not_playing")));
    EXPECT_EQ(Ask(100), L"Harbour Lights");
}

TEST_F(PlayerTest, RepeatWrapsAroundThePlaylist)
{
    EXPECT_THAT(Command(17), ElementsAre(Note(1, L"t#a")));
    EXPECT_THAT(Command(14), ElementsAre(Note(1, L"t#na"), Note(3, L"repeat")));
    EXPECT_EQ(Ask(107), L"Harbour Lights");
    Command(1);
    Wait(264000 + 7);
    EXPECT_EQ(Ask(100), L"Harbour Lights");
    EXPECT_EQ(Ask(109), L"7");
    // Back to the last track, whose flags match the first one's while repeat is on.
    EXPECT_THAT(Command(5), IsEmpty());
    EXPECT_EQ(Ask(100), L"The \"Blue\" Hour");
    EXPECT_THAT(Command(14), ElementsAre(Note(1, L"t#a"), Note(3, L"off")));
    EXPECT_THAT(Command(4), IsEmpty()) << "no track after the last one without repeat";
}

TEST_F(PlayerTest, VolumeAndMuteReportVolumeAndHeardLevel)
{
    EXPECT_THAT(Command(8), ElementsAre(Note(5, L"55"), Note(4, L"55")));
    EXPECT_THAT(Command(10), ElementsAre(Note(4, L"0")));
    EXPECT_THAT(Command(9), ElementsAre(Note(5, L"50")));
    EXPECT_THAT(Command(10), ElementsAre(Note(4, L"50")));
    EXPECT_THAT(Command(11, L"100"), ElementsAre(Note(5, L"100"), Note(4, L"100")));
    EXPECT_THAT(Command(8), IsEmpty()) << "already at 100";
    EXPECT_THAT(Command(11, L"0"), ElementsAre(Note(5, L"0"), Note(4, L"0")));
    EXPECT_THAT(Command(9), IsEmpty()) << "already at 0";
    EXPECT_EQ(Ask(12), L"0");
}

TEST_F(PlayerTest, TextsTheCommandsRefuseLeaveAnErrorStatus)
{
    const std::vector<std::pair<long, std::optional<std::wstring>>> refused = {
        {11, L"101"}, {11, L"abc"}, {11, L"-5"},  {11, L" 5"}, {11, std::nullopt}, {11, L"1234567890"},
        {20, L"0"},   {20, L"7"},   {20, L""},    {200, L"999"}, {200, L"5"},      {201, L""},
        {201, L"zzz"}, {203, L"=1"}, {203, L"novalue"}, {203, std::nullopt},
    };
    for (const auto& [command, text] : refused) {
        EXPECT_THAT(Command(command, text), IsEmpty()) << "command " << command;
        EXPECT_EQ(m_result, 0) << "command " << command;
        EXPECT_EQ(Ask(106), L"error") << "command " << command;
        Command(203, L"WmAppcommand=0");
        EXPECT_EQ(Ask(106), L"ok");
    }
}

TEST_F(PlayerTest, TrackNumberAndTitleSearchStartPlaying)
{
    EXPECT_THAT(Command(20, L"5"), ElementsAre(Note(2, L"playing"), Note(1, L"tn")));
    EXPECT_EQ(Ask(101), L"");
    EXPECT_EQ(Ask(108), L"\"D:\\Recordings\\field-2026-03-14.wav\"");
    EXPECT_THAT(Command(201, L"BLUE"), ElementsAre(Note(1, L"t#a")));
    EXPECT_EQ(Ask(100), L"The \"Blue\" Hour");
    EXPECT_THAT(Command(201, L"overture"), ElementsAre(Note(1, L"t#na")));
    EXPECT_EQ(Ask(108), L"\\\\nas\\music\\Overtures\\03 An Overture.flac");
}

TEST_F(PlayerTest, SeeksMoveWithinTheTrackOnlyWhenOneIsLoaded)
{
    EXPECT_THAT(Command(6), IsEmpty()) << "stopped";
    Command(1);
    EXPECT_THAT(Command(6), ElementsAre(Note(7, L"seek_forward")));
    EXPECT_EQ(Ask(109), L"10000");
    EXPECT_THAT(Command(19), ElementsAre(Note(7, L"seek_backward")));
    EXPECT_EQ(Ask(109), L"0");
    EXPECT_THAT(Command(200, L"30"), ElementsAre(Note(7, L"seek_forward")));
    EXPECT_EQ(Ask(109), L"30000");
    EXPECT_THAT(Command(18), ElementsAre(Note(7, L"seek_forward")));
    EXPECT_THAT(Command(7), ElementsAre(Note(7, L"seek_backward")));
    EXPECT_EQ(Ask(109), L"80000");
}

TEST_F(PlayerTest, ShuffleKeepsTheCurrentTrackAndChangesWhatFollows)
{
    Command(16);
    EXPECT_THAT(Command(13), ElementsAre(Note(7, L"shuffle")));
    EXPECT_EQ(Ask(100), L"Harbour Lights");
    const std::wstring next = Ask(107);
    EXPECT_NE(next, L"Paper Compass");
    Command(4);
    EXPECT_EQ(Ask(100), next);
    EXPECT_THAT(Command(13), ElementsAre(Note(7, L"normal")));
    EXPECT_EQ(Ask(100), next) << "the current track stays when shuffle ends";
}

TEST_F(PlayerTest, StateReportsAndRemoteChangesTellEverything)
{
    const auto everything = ElementsAre(Note(2, L"stopped"), Note(1, L"t#na"), Note(3, L"off"), Note(5, L"50"),
                                        Note(4, L"50"), Note(7, L"normal"));
    EXPECT_THAT(Command(202), everything);
    EXPECT_THAT(Command(204), everything);
}

TEST_F(PlayerTest, UnknownCommandsDoNothing)
{
    for (const long command : {0L, 21L, 99L, 103L, 110L, 205L, -1L}) {
        EXPECT_THAT(Command(command), IsEmpty()) << "command " << command;
        EXPECT_EQ(m_result, 0);
    }
    EXPECT_EQ(Ask(106), L"ok");
}

TEST_F(PlayerTest, ALaunchIsAnnouncedOnceToTheFirstWindow)
{
    m_player.WindowRegistered();
    m_player.WindowRegistered();
    EXPECT_THAT(m_raised, ElementsAre(Note(6, L"launched")));
}

TEST_F(PlayerTest, ATestThatTookControlFirstHearsNoLaunch)
{
    m_player.KeepLaunchQuiet();
    m_player.WindowRegistered();
    EXPECT_THAT(m_raised, IsEmpty());
}

TEST_F(PlayerTest, ARestartClosesAndLaunchesAndStartsAfresh)
{
    Command(11, L"80");
    Command(1);
    m_raised.clear();
    m_player.Restart();
    EXPECT_THAT(m_raised, ElementsAre(Note(6, L"closed"), Note(6, L"launched")));
    EXPECT_EQ(m_player.State(), 0);
    EXPECT_EQ(Ask(12), L"50");
}

}  // namespace

TEST_F(PlayerTest, DescribesItselfForAPersonAsTimeMovesIt)
{
    EXPECT_EQ(m_player.Describe(),
              L"stopped \"Harbour Lights\" (track 1 of 6, 0:00 of 3:35), volume 50, shuffle off, repeat off");
    Command(4);
    Command(1);
    Command(10);
    Command(14);
    Wait(65000);
    EXPECT_EQ(m_player.Describe(),
              L"playing \"Paper Compass\" (track 2 of 6, 1:05 of 3:07), volume 50 muted, shuffle off, repeat on");
}
