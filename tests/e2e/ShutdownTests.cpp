// Ending the program from outside, and what the jukebox sees of it.
#include <gmock/gmock.h>

#include "E2eEnvironment.h"

using ::testing::ElementsAre;

using ShutdownTest = ProgramTest;

TEST_F(ShutdownTest, CloseFromAnotherProcessEndsWithCodeZeroAfterNotifyingTheJukebox)
{
    StartProgram("-debug");
    Jukebox().ClearJournal();
    ::SendMessageA(m_window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_run->WaitForExit());
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(::IsWindow(m_window));
    // The companion is told first; both objects are released before COM ends,
    // the companion first.
    EXPECT_THAT(Operations(Jukebox().Journal()),
                ElementsAre("NotifyClosing", "ReleaseJukeboxCompanion", "ReleaseJukeboxLink"));
}

TEST_F(ShutdownTest, EnterAndEscOnlyHideTheWindow)
{
    StartProgram("-debug");
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) != FALSE; }));
    ::SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindowVisible(m_window));
    ::PostMessageA(m_window, WM_APP + 2, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) != FALSE; }));
    ::SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindowVisible(m_window));
    EXPECT_FALSE(m_run->HasExited());
}
