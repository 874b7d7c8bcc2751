// The module library as the program finds it: beside itself or in the system
// folder, never in the current folder or on PATH; optional, and named in the
// log. Each test runs a copy of the program in a folder of its own (with the
// substitutes that serve the simulated remote) and puts there the library it
// needs, if any.
#include <gmock/gmock.h>

#include <algorithm>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "module/ModuleLibraryNote.h"

using ::testing::ElementsAre;

namespace {

constexpr char kStartUpCommandLine[] = "Command to Cantora: 203  Data: WmAppcommand=0";

class ModuleLibraryTest : public ProgramTest
{
protected:
    void TearDown() override
    {
        ProgramTest::TearDown();
        for (const SimulatedDeviceId id : m_plugged)
            Remote().Unplug(id, false);
    }

    // Copies the program into a folder of its own, with the built library
    // named library (if any) as its rzmb.dll; returns the program's path.
    std::string CopyOfTheProgram(const std::string& library = "")
    {
        m_programFolder = MakeScratchFolder("program");
        for (const char* file : {"VantrelRemote.exe", "hid.dll", "setupapi.dll"})
            EXPECT_TRUE(Copy(file, file));
        if (!library.empty()) {
            EXPECT_TRUE(Copy(library, "rzmb.dll"));
        }
        return m_programFolder + "\\VantrelRemote.exe";
    }

    std::string m_programFolder;
    std::vector<SimulatedDeviceId> m_plugged;

private:
    bool Copy(const std::string& built, const std::string& copy) const
    {
        return ::CopyFileA((ProgramFolder() + "\\" + built).c_str(), (m_programFolder + "\\" + copy).c_str(), FALSE);
    }
};

// Sets PATH for the programs this process starts, for one scope.
class PathPrepended
{
public:
    explicit PathPrepended(const std::string& folder)
    {
        char path[32768] = {};
        ::GetEnvironmentVariableA("PATH", path, sizeof path);
        m_previous = path;
        ::SetEnvironmentVariableA("PATH", (folder + ";" + m_previous).c_str());
    }
    ~PathPrepended() { ::SetEnvironmentVariableA("PATH", m_previous.c_str()); }
    PathPrepended(const PathPrepended&) = delete;
    PathPrepended& operator=(const PathPrepended&) = delete;

private:
    std::string m_previous;
};

}  // namespace

// A library planted where a program started from a downloads folder would
// find it first: our own, whose journal would show any call.
TEST_F(ModuleLibraryTest, WithoutALibraryTheKeysStillWorkAndAPlantedOneIsNotLoaded)
{
    ASSERT_TRUE(::CopyFileA((ProgramFolder() + "\\rzmb.dll").c_str(), (m_folder + "\\rzmb.dll").c_str(), FALSE));
    m_plugged.push_back(Remote().Plug());
    RzmbClearJournals();
    {
        PathPrepended planted(m_folder);
        StartProgram("-debug", CopyOfTheProgram());
    }
    ASSERT_TRUE(Remote().Press(m_plugged.back(), 1));
    ASSERT_TRUE(WaitUntil([] { return CommandNumbers(Jukebox().Journal()).size() >= 2; }))
        << "the key's command never came";
    EXPECT_THAT(CommandNumbers(Jukebox().Journal()), ElementsAre(203, 1));

    const std::vector<std::string> log = LogTexts(SaveLogAfterQueuedWork());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), UnloadableModuleLibraryNote(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(std::count(log.begin(), log.end(), log.front()), 1) << "said once";
    EXPECT_THAT(SubstituteModule::Writes(), ElementsAre()) << "the planted library was called";
    EXPECT_THAT(SubstituteModule::Reads(), ElementsAre()) << "the planted library was called";
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
}

TEST_F(ModuleLibraryTest, ALibraryThatLacksAFunctionIsNotUsed)
{
    StartProgram("-debug", CopyOfTheProgram("foreign_rzmb_without_setmem.dll"));
    Click(kQueryHardwareIdButton);
    EXPECT_THAT(LogTexts(SaveLogAfterQueuedWork()),
                ElementsAre(IncompleteModuleLibraryNote(m_programFolder + "\\rzmb.dll", true, false),
                            kStartUpCommandLine))
        << "its RzmaGetMem switched the module's writes on";
}

// The library answers every read with 0xFF, so the device's switch is on and
// the reader's start block and the button's block are delivered whole: both
// functions are its.
TEST_F(ModuleLibraryTest, AnotherMakersLibraryBesideTheProgramIsUsedAndNamed)
{
    StartProgram("-debug", CopyOfTheProgram("foreign_rzmb.dll"));
    Click(kQueryHardwareIdButton);
    EXPECT_THAT(LogTexts(SaveLogAfterQueuedWork()),
                ElementsAre(LoadedModuleLibraryNote(m_programFolder + "\\rzmb.dll"), "RzmaSetMem: a4f4, 3 :02 a2 20 ",
                            "RzmaSetMem: a4f2, 1 :00 ", "RzmaSetMem: b0a0, 1 :c0 ", kStartUpCommandLine,
                            "RzmaSetMem: a4f4, 3 :02 a2 21 ", "RzmaSetMem: a4f2, 1 :00 ", "RzmaSetMem: b0a0, 1 :c0 "));
}
