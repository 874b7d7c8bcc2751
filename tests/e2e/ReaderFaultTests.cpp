// A module library that misbehaves on the reader thread, where the remote's
// key actions call it: one that ends the thread, and one whose call never
// returns.
#include <gmock/gmock.h>

#include <algorithm>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RzmbControl.h"

using ::testing::ElementsAre;

namespace {

// Writes its parameter back into the module at once, on the reader thread.
constexpr unsigned char kEchoKey = 34;

class ReaderFaultTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        m_remote = Remote().Plug({});
    }

    void TearDown() override
    {
        RzmbReleaseCalls();
        ProgramTest::TearDown();
        Remote().Unplug(m_remote, false);
    }

    static bool CommandArrives(long number)
    {
        const auto isIt = [&](const JournalEntry& entry) {
            return entry.operation == "SendCommand" && entry.number == number;
        };
        const std::vector<JournalEntry> journal = Jukebox().WaitForEntry(isIt);
        return std::any_of(journal.begin(), journal.end(), isIt);
    }

    SimulatedDeviceId m_remote = 0;
};

}  // namespace

TEST_F(ReaderFaultTest, AReaderEndedInsideTheLibraryIsNoticedAndTheNextArrivalReadsAgain)
{
    StartProgram("-debug");
    ASSERT_TRUE(RzmbTrapNextWrite(ModuleMap::ParameterEcho, RzmbTrapEndThread));
    ASSERT_TRUE(Remote().Press(m_remote, kEchoKey, {0x05}));
    const auto noticed = [&] {
        const std::vector<std::string> texts = LogTexts(SaveLog());
        return std::any_of(texts.begin(), texts.end(),
                           [](const std::string& text) { return text.rfind("Remote reader ended", 0) == 0; });
    };
    EXPECT_TRUE(WaitUntil(noticed)) << "the end went unnoticed";
    EXPECT_TRUE(Remote().OpenHandles(m_run->ProcessId()).empty()) << "the remote was not let go";

    ASSERT_TRUE(Remote().AnnounceArrival(m_window, m_remote));
    Jukebox().ClearJournal();
    ASSERT_TRUE(Remote().Press(m_remote, 1, {}));
    EXPECT_TRUE(CommandArrives(1)) << "the arrival brought no reader back";
}

TEST_F(ReaderFaultTest, AnExitThatCannotWaitForAReaderHeldInTheLibraryStillReleasesTheJukebox)
{
    StartProgram("");
    const std::uint32_t held = RzmbHeldCalls();
    ASSERT_TRUE(RzmbTrapNextWrite(ModuleMap::ParameterEcho, RzmbTrapHold));
    ASSERT_TRUE(Remote().Press(m_remote, kEchoKey, {0x05}));
    ASSERT_TRUE(WaitUntil([&] { return RzmbHeldCalls() > held; })) << "the key's write never came";
    Jukebox().ClearJournal();
    ::SendMessageA(m_window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(m_run->WaitForExit());
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_EQ(SubstituteModule::LastWriteAt(ModuleMap::HostLinkState), "a4f0: 00");
    EXPECT_THAT(Operations(Jukebox().Journal()),
                ElementsAre("NotifyClosing", "ReleaseJukeboxCompanion", "ReleaseJukeboxLink"));
}
