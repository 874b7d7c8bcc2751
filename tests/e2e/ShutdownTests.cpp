// Ending the program from outside, and what the jukebox sees of it.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"

using ::testing::ElementsAre;

using ShutdownTest = ProgramTest;

namespace {

// A remote plugged in for one scope.
class PluggedRemote
{
public:
    PluggedRemote() : m_id(Remote().Plug({})) {}
    ~PluggedRemote() { Remote().Unplug(m_id, false); }
    PluggedRemote(const PluggedRemote&) = delete;
    PluggedRemote& operator=(const PluggedRemote&) = delete;
    SimulatedDeviceId Id() const { return m_id; }

private:
    SimulatedDeviceId m_id;
};

}  // namespace

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

// Windows asks every top-level window, hidden ones too, and may end the
// process as soon as WM_ENDSESSION returns.
TEST_F(ShutdownTest, ALogOffEndsInOrderBeforeTheEndSessionMessageReturns)
{
    const PluggedRemote remote;
    StartProgram("");
    EXPECT_EQ(::SendMessageA(m_window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    ::SendMessageA(m_window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    ASSERT_FALSE(m_run->HasExited()) << "a cancelled log-off ends nothing";
    const long commands = Jukebox().JournalCount();
    ASSERT_TRUE(Remote().Press(remote.Id(), 1, {}));
    ASSERT_TRUE(WaitUntil([&] { return Jukebox().JournalCount() > commands; })) << "the remote no longer works";

    Jukebox().ClearJournal();
    RzmbClearJournals();
    EXPECT_EQ(::SendMessageA(m_window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    ::SendMessageA(m_window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    ::TerminateProcess(m_run->Process(), 1);
    EXPECT_EQ(SubstituteModule::LastWriteAt(ModuleMap::HostLinkState), "a4f0: 00") << "the module was not told";
    EXPECT_EQ(Remote().Connections(remote.Id()), 0u);
    // The key's command may still bring the jukebox's answer to fetch.
    std::vector<std::string> operations = Operations(Jukebox().Journal());
    operations.erase(std::remove(operations.begin(), operations.end(), "GetEventData"), operations.end());
    EXPECT_THAT(operations, ElementsAre("NotifyClosing", "ReleaseJukeboxCompanion", "ReleaseJukeboxLink"));
}

// Wine's own end of session asks the windows of every process as Windows
// does, and leaves running whatever does not end by itself.
TEST_F(ShutdownTest, TheSystemsEndOfSessionEndsTheProgramInOrderWithCodeZero)
{
    const PluggedRemote remote;
    StartProgram("");
    Jukebox().ClearJournal();
    RzmbClearJournals();
    const ProgramRun endSession("--end-session", "", "C:\\windows\\system32\\wineboot.exe");
    ASSERT_TRUE(endSession.Started());
    ASSERT_TRUE(endSession.WaitForExit());
    ASSERT_TRUE(m_run->WaitForExit()) << "the program outlived the session";
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_EQ(SubstituteModule::LastWriteAt(ModuleMap::HostLinkState), "a4f0: 00");
    EXPECT_THAT(Operations(Jukebox().Journal()),
                ElementsAre("NotifyClosing", "ReleaseJukeboxCompanion", "ReleaseJukeboxLink"));
}
