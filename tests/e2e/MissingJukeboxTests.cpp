// Without the jukebox's server the program cannot run: it ends during
// start-up, without showing a window.
#include <gmock/gmock.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "E2eEnvironment.h"

namespace {

bool JukeboxServerRuns()
{
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 process{};
    process.dwSize = sizeof process;
    for (BOOL more = ::Process32First(snapshot.Get(), &process); more; more = ::Process32Next(snapshot.Get(), &process)) {
        if (_stricmp(process.szExeFile, "RefJukebox.exe") == 0)
            return true;
    }
    return false;
}

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
    ProgramRun run("-debug", MakeScratchFolder("missing-jukebox"));
    ASSERT_TRUE(run.Started());
    bool windowSeen = false;
    EXPECT_TRUE(WaitUntil([&] {
        windowSeen = windowSeen || run.FindMainWindow() != nullptr;
        return run.HasExited();
    })) << "the program kept running";
    EXPECT_FALSE(windowSeen);
    EXPECT_NE(run.ExitCode(), 0u);
}
