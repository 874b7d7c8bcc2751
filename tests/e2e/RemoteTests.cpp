// The shipped program with a simulated remote: start-up with and without it,
// keys to the jukebox and the module, plug and unplug, the name checks on
// each Windows version, the reader's give-up, and the close.
#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <iterator>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "WineAppDefaults.h"
#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RzmbControl.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsSupersetOf;
using ::testing::Not;

namespace {

const std::vector<std::string> kConnectWrites{"a4ef: 01", "a4ef: 01", "a4f0: 02"};
const std::vector<std::string> kStartBlockWrites{"a4f4: 02 a2 20", "a4f2: 00", "b0a0: c0"};

// The commands the jukebox received, as "1" or "11 100".
std::vector<std::string> Commands()
{
    std::vector<std::string> commands;
    for (const JournalEntry& entry : Jukebox().Journal()) {
        if (entry.operation == "SendCommand")
            commands.push_back(std::to_string(entry.number));
        else if (entry.operation == "SendCommandWithData")
            commands.push_back(std::to_string(entry.number) + " " + std::string(entry.text.begin(), entry.text.end()));
    }
    return commands;
}

std::size_t CountOf(const std::vector<std::string>& all, const std::string& one)
{
    return static_cast<std::size_t>(std::count(all.begin(), all.end(), one));
}

// The log's device-change lines.
std::vector<std::string> PlugAndPlayLines(const std::vector<std::string>& texts)
{
    std::vector<std::string> lines;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(lines),
                 [](const std::string& text) { return text.rfind("Plug and Play ", 0) == 0; });
    return lines;
}

// The processor time a process has used, in seconds.
double ProcessorSeconds(HANDLE process)
{
    FILETIME creation{}, exit{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

// The size of a file, 0 when there is none.
unsigned long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Holds the jukebox's creations of the companion for one scope.
class CompanionCreationHold
{
public:
    CompanionCreationHold() { Jukebox().HoldCompanionCreation(true); }
    ~CompanionCreationHold() { Lift(); }
    CompanionCreationHold(const CompanionCreationHold&) = delete;
    CompanionCreationHold& operator=(const CompanionCreationHold&) = delete;
    void Lift() { Jukebox().HoldCompanionCreation(false); }
};

std::string LastLinkStateWrite()
{
    return SubstituteModule::LastWriteAt(ModuleMap::HostLinkState);
}

bool StartsWithAny(const std::vector<std::string>& all, const std::string& prefix)
{
    return std::any_of(all.begin(), all.end(), [&](const std::string& one) { return one.rfind(prefix, 0) == 0; });
}

class RemoteTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});
    }

    void TearDown() override
    {
        ProgramTest::TearDown();
        for (const SimulatedDeviceId id : m_plugged)
            Remote().Unplug(id, false);
    }

    SimulatedDeviceId Plug(const SimulatedDeviceSpec& spec = {})
    {
        m_plugged.push_back(Remote().Plug(spec));
        return m_plugged.back();
    }

    // Starts the program and waits until its start-up has settled; the
    // journals and the log are empty then.
    void StartSettled(const std::string& arguments = "-debug")
    {
        StartProgram(arguments);
        SaveLogAfterQueuedWork();
        RzmbClearJournals();
        Jukebox().ClearJournal();
        Click(kClearButton);
    }

    // Presses a key and waits until the jukebox has count commands.
    void PressForCommands(SimulatedDeviceId id, unsigned char code, const std::vector<unsigned char>& parameter,
                          std::size_t count)
    {
        ASSERT_TRUE(Remote().Press(id, code, parameter)) << "key " << int(code);
        ASSERT_TRUE(WaitUntil([&] { return Commands().size() >= count; })) << "key " << int(code);
    }

    static bool WaitForBlock(const std::string& block)
    {
        return WaitUntil([&] { return CountOf(SubstituteModule::Blocks(), block) > 0; });
    }

    std::vector<SimulatedDeviceId> m_plugged;
};

}  // namespace

TEST_F(RemoteTest, TheModuleSeesTheConnectBeforeTheStartBlockAndOnlyTheStartBlockWithoutARemote)
{
    RzmbClearJournals();
    StartProgram("");
    ASSERT_TRUE(WaitForBlock("02 a2 20"));
    EXPECT_EQ(SubstituteModule::Writes(), kStartBlockWrites);
    CloseProgram();

    Plug();
    RzmbClearJournals();
    StartProgram("");
    ASSERT_TRUE(WaitForBlock("02 a2 20"));
    std::vector<std::string> expected = kConnectWrites;
    expected.insert(expected.end(), kStartBlockWrites.begin(), kStartBlockWrites.end());
    EXPECT_EQ(SubstituteModule::Writes(), expected);
}

TEST_F(RemoteTest, KeysGiveExactlyTheirCommandsAndBlocksAndCodesWithoutActionNothing)
{
    const auto remote = Plug();
    SubstituteModule::Poke(ModuleMap::ModuleInfo, {0x12, 0x34, 0x56, 0x78});
    StartSettled();

    PressForCommands(remote, 1, {}, 1);
    PressForCommands(remote, 8, {0x00, 0xFF}, 2);
    PressForCommands(remote, 24, {0x03}, 3);
    PressForCommands(remote, 32, {5, 'P', 'a', 'p', 'e', 'r'}, 4);
    ASSERT_TRUE(Remote().Press(remote, 34, {0x05}));
    ASSERT_TRUE(WaitUntil([] { return CountOf(SubstituteModule::Writes(), "a4f3: 01") == 1; }));
    PressForCommands(remote, 71, {}, 5);
    ASSERT_TRUE(WaitUntil([] { return StartsWithAny(SubstituteModule::Blocks(), "05 47 82"); })) << "time reply";
    ASSERT_TRUE(Remote().Press(remote, 79));
    ASSERT_TRUE(WaitForBlock("06 4f 82 12 34 56 78"));
    ASSERT_TRUE(WaitForBlock("02 a2 01")) << "the player said it plays";
    const std::size_t playing = CountOf(SubstituteModule::Blocks(), "02 a2 01");
    ASSERT_TRUE(Remote().Press(remote, 81, {0xA2}));
    ASSERT_TRUE(WaitUntil([&] { return CountOf(SubstituteModule::Blocks(), "02 a2 01") == playing + 1; }))
        << "the answer from the cache";
    for (const unsigned char none : {0, 9, 36, 73, 83, 128, 255})
        ASSERT_TRUE(Remote().Press(remote, none, {0x05}));
    PressForCommands(remote, 2, {}, 6);

    EXPECT_THAT(Commands(), ElementsAre("1", "11 100", "20 3", "201 Paper", "109", "2"));
    EXPECT_EQ(CountOf(SubstituteModule::Writes(), "a4f3: 01"), 1u);
    EXPECT_EQ(CountOf(SubstituteModule::Blocks(), "06 4f 82 12 34 56 78"), 1u);
}

TEST_F(RemoteTest, AHeldKeyRepeatsWithEveryReportAndItsReleaseDoesNothing)
{
    const auto remote = Plug();
    StartSettled();
    ASSERT_TRUE(Remote().Hold(remote, 5, 4));
    ASSERT_TRUE(Remote().Release(remote));
    PressForCommands(remote, 6, {}, 5);
    EXPECT_THAT(Commands(), ElementsAre("8", "8", "8", "8", "9"));
}

TEST_F(RemoteTest, UnplugDuringAReadDeliversNothingAndAReplugWorksAgain)
{
    const auto first = Plug();
    StartSettled();
    PressForCommands(first, 1, {}, 1);
    const std::string firstName = Remote().BroadcastName(first);
    Remote().Unplug(first, false);
    ASSERT_TRUE(Remote().AnnounceRemoval(m_window, first));
    EXPECT_TRUE(Remote().OpenHandles(m_run->ProcessId()).empty());

    const auto second = Plug();
    ASSERT_TRUE(Remote().AnnounceArrival(m_window, second));
    PressForCommands(second, 2, {}, 4);
    EXPECT_THAT(Commands(), ElementsAre("1", "204", "204", "2")) << "the unplug brought no key";
    EXPECT_THAT(LogTexts(SaveLogAfterQueuedWork()),
                IsSupersetOf({"Plug and Play DBT_DEVICEREMOVECOMPLETE " + firstName + " responding.",
                              "Plug and Play DBT_DEVICEARRIVAL " + Remote().BroadcastName(second) + " responding."}));
}

TEST_F(RemoteTest, AnotherVendorsDeviceIsOnlyLoggedAndTwoInterfacesOfTheRemoteConnectOnce)
{
    StartSettled();
    SimulatedDeviceSpec other;
    other.vendorId = 0x045E;
    const auto stranger = Plug(other);
    ASSERT_TRUE(Remote().AnnounceArrival(m_window, stranger));
    SimulatedDeviceSpec first, second;
    first.interfaceTag = "MI_00";
    second.interfaceTag = "MI_01";
    const auto one = Plug(first);
    const auto two = Plug(second);
    ASSERT_TRUE(Remote().AnnounceArrival(m_window, one));
    ASSERT_TRUE(Remote().AnnounceArrival(m_window, two));

    const auto texts = LogTexts(SaveLogAfterQueuedWork());
    EXPECT_THAT(texts, Contains("Plug and Play DBT_DEVICEARRIVAL " + Remote().BroadcastName(stranger)));
    EXPECT_THAT(texts, Contains("Plug and Play DBT_DEVICEARRIVAL " + Remote().BroadcastName(one) + " responding."));
    EXPECT_THAT(texts, Contains("Plug and Play DBT_DEVICEARRIVAL " + Remote().BroadcastName(two) + " responding."));
    EXPECT_THAT(Commands(), ElementsAre("204", "204"));
    EXPECT_EQ(CountOf(SubstituteModule::Writes(), "a4f0: 02"), 1u) << "one connect";
}

TEST_F(RemoteTest, OnWindowsXpTheNameDecidesOnLaterWindowsTheRegistry)
{
    const std::string unregistered = "\\\\?\\HID#VID_0471&PID_0110#no-registry-entry#{4D1E55B2-F16F-11CF-88CB-001111000030}";
    const std::string otherVendor = "\\\\?\\HID#VID_0472&PID_0110#x#{4D1E55B2-F16F-11CF-88CB-001111000030}";
    const auto announce = [&](const std::string& name) {
        ASSERT_TRUE(RemoteSimulator::SendDeviceChange(m_window, 0x8000, RemoteSimulator::InterfaceBroadcast(name)));
    };
    {
        ProgramWindowsVersion windowsXp("VantrelRemote.exe", "winxp");
        StartSettled();
    }
    announce(unregistered);
    announce(otherVendor);
    EXPECT_THAT(PlugAndPlayLines(LogTexts(SaveLogAfterQueuedWork())),
                ElementsAre("Plug and Play DBT_DEVICEARRIVAL " + unregistered + " responding.",
                            "Plug and Play DBT_DEVICEARRIVAL " + otherVendor));
    CloseProgram();

    StartSettled();
    announce(unregistered);
    EXPECT_THAT(PlugAndPlayLines(LogTexts(SaveLogAfterQueuedWork())),
                ElementsAre("Plug and Play DBT_DEVICEARRIVAL " + unregistered));
}

TEST_F(RemoteTest, ThreeFailedReadStartsGiveUpAndReopenTheSamePath)
{
    const auto remote = Plug();
    StartSettled();
    Remote().BreakConnections(remote);
    ASSERT_TRUE(WaitUntil([] { return CountOf(SubstituteModule::Writes(), "a4f0: 02") == 1; })) << "no reopen";
    EXPECT_THAT(SubstituteModule::Writes(), ElementsAre("a4ef: 01", "a4f0: 02")) << "the reopen announces itself";
    PressForCommands(remote, 1, {}, 1);
}

TEST_F(RemoteTest, ClosingWithAReadOutstandingEndsCleanlyAndTellsTheModule)
{
    const auto remote = Plug();
    StartSettled("");
    PressForCommands(remote, 1, {}, 1);
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00");
    EXPECT_THAT(SubstituteModule::Blocks(), Not(Contains("02 a2 21"))) << "the stop block is dropped";
    EXPECT_EQ(Remote().Connections(remote), 0u);
}

TEST_F(RemoteTest, ARemotePluggedInWhileTheJukeboxIsSlowToStartIsConnectedWhenStartUpEnds)
{
    {
        CompanionCreationHold hold;
        LaunchProgram("-debug");
        // The first connect has found nothing, and no window is registered
        // for device notifications yet: the system tells no one of this plug.
        ASSERT_TRUE(WaitUntil([] { return Jukebox().HeldCompanionCreations() == 1; }))
            << "the program never asked for the companion";
        const auto remote = Plug();
        hold.Lift();
        WaitForStartUp();
        PressForCommands(remote, 1, {}, 2);
    }
    EXPECT_EQ(Commands().back(), "1");
}

TEST_F(RemoteTest, AQuitMessageFromAnotherProcessEndsTheProgramAsACloseDoes)
{
    const std::string crashReport = ProgramFolder() + "\\VantrelRemote.RPT";
    const auto reportSize = FileSize(crashReport);
    const auto remote = Plug();
    StartSettled("");
    // After the action the reader has the next read outstanding.
    ASSERT_TRUE(Remote().Press(remote, 34, {0x05}));
    ASSERT_TRUE(WaitUntil([] { return CountOf(SubstituteModule::Writes(), "a4f3: 01") == 1; }));
    Jukebox().ClearJournal();

    ASSERT_TRUE(::PostMessageA(m_window, WM_QUIT, 3, 0));
    ASSERT_TRUE(m_run->WaitForExit());
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_FALSE(::IsWindow(m_window));
    EXPECT_THAT(Operations(Jukebox().Journal()),
                ElementsAre("NotifyClosing", "ReleaseJukeboxCompanion", "ReleaseJukeboxLink"));
    EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00") << "the module was told";
    EXPECT_EQ(Remote().Connections(remote), 0u);
    EXPECT_EQ(FileSize(crashReport), reportSize) << "no crash report";
}

TEST_F(RemoteTest, ReadsThatKeepFailingAreGivenUpAtTheReadersPaceWithoutKeepingTheProcessorBusy)
{
    const auto remote = Plug();
    StartSettled("");
    const double startProcessor = ProcessorSeconds(m_run->Process());
    const auto start = std::chrono::steady_clock::now();
    Remote().FailReads(remote, true);
    // Each give-up reopens the remote and tells the module so.
    ASSERT_TRUE(WaitUntil([] { return CountOf(SubstituteModule::Writes(), "a4f0: 02") >= 3; })) << "never given up";
    const double processor = ProcessorSeconds(m_run->Process()) - startProcessor;
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::size_t reads = Remote().FailedReads(remote);
    // Every failed read waits out a slice of 150 ms before the next one
    // starts: a loaded machine can only make them fewer.
    EXPECT_LE(reads, 2 + elapsed / 0.1) << reads << " failed reads in " << elapsed << " s";
    EXPECT_LT(processor, elapsed / 4) << processor << " s of processor time in " << elapsed << " s";

    Remote().FailReads(remote, false);
    PressForCommands(remote, 1, {}, 1);
}

// While reads keep failing the reader gives the remote up and reopens it
// every half second or so, telling the module each time. Closes land at ten
// phases of the second half of that cycle, 25 ms apart and measured from a
// reopen, so that some land just before the next one, as the stop begins;
// whatever the phase, the module is left told that the host is gone.
// Without -debug, as at logon: there a reopen's logged write would wait for
// the window, which is busy stopping, and be held back until too late.
TEST_F(RemoteTest, ACloseAmidFailingReadsLeavesTheModuleToldTheHostIsGone)
{
    const auto remote = Plug();
    for (DWORD phaseMs = 250; phaseMs < 500; phaseMs += 25) {
        StartSettled("");
        Remote().FailReads(remote, true);
        ASSERT_TRUE(WaitUntil([] { return CountOf(SubstituteModule::Writes(), "a4f0: 02") > 0; })) << "no reopen";
        ::Sleep(phaseMs);
        CloseProgram();
        Remote().FailReads(remote, false);
        EXPECT_EQ(LastLinkStateWrite(), "a4f0: 00") << "closed " << phaseMs << " ms after a reopen";
    }
}
