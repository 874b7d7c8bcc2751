// Without the jukebox's server the program cannot run: it ends during
// start-up, without showing a window, and leaves a crash report beside
// itself.
#include <gmock/gmock.h>

#include <windows.h>

#include <string>

#include "E2eEnvironment.h"

namespace {

DWORD RunJukeboxServer(const char* argument)
{
    std::string commandLine = "\"" + ProgramFolder() + "\\RefJukebox.exe\" " + argument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created))
        return ~0u;
    UniqueHandle process(created.hProcess);
    UniqueHandle thread(created.hThread);
    ::WaitForSingleObject(process.Get(), 30000);
    DWORD code = ~0u;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

class MissingJukeboxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A running server would still serve its classes, so let it end first.
        DisconnectJukebox();
        ASSERT_TRUE(WaitUntil([] { return !JukeboxServerRuns(); })) << "the jukebox server did not end";
        ASSERT_EQ(RunJukeboxServer("/UnregServer"), 0u);
    }
    void TearDown() override
    {
        EXPECT_EQ(RunJukeboxServer("/RegServer"), 0u);
        ReconnectJukebox();
        EXPECT_TRUE(Jukebox().Connected());
    }
};

}  // namespace

TEST_F(MissingJukeboxTest, ProgramEndsDuringStartUpWithoutShowingAWindow)
{
    // The report goes beside the program, which every end-to-end test shares.
    const std::string reportPath = ProgramFolder() + "\\VantrelRemote.RPT";
    ::DeleteFileA(reportPath.c_str());
    ProgramRun run("-debug", MakeScratchFolder("missing-jukebox"));
    ASSERT_TRUE(run.Started());
    bool windowSeen = false;
    EXPECT_TRUE(WaitUntil([&] {
        windowSeen = windowSeen || run.FindMainWindow() != nullptr;
        return run.HasExited();
    })) << "the program kept running";
    EXPECT_FALSE(windowSeen);
    EXPECT_NE(run.ExitCode(), 0u);

    // The unhandled ComException ends the program through the crash report.
    std::string report;
    EXPECT_TRUE(ReadWholeFile(reportPath, report)) << "no crash report";
    ::DeleteFileA(reportPath.c_str());
    EXPECT_THAT(report, ::testing::StartsWith("//=====================================================\r\nlocal time: "));
    EXPECT_THAT(report, ::testing::HasSubstr("\r\nException code: E0435050 UNCAUGHT_CPP_EXCEPTION\r\n"));
    EXPECT_EQ(report.find("//=====", 1), std::string::npos) << "more than one report";
}
