// Start-up as other processes see it: the window, its styles, and what
// reaches the jukebox.
#include <gmock/gmock.h>

#include <vector>

#include "E2eEnvironment.h"

using ::testing::ElementsAre;

namespace {

LONG_PTR ExtendedStyle(HWND window)
{
    return ::GetWindowLongPtrA(window, GWL_EXSTYLE);
}

}  // namespace

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, WithoutDebugTheWindowStaysHiddenAndLosesItsTaskbarButton)
{
    StartProgram("");
    SaveLogAfterQueuedWork();  // the message loop has run past everything start-up posted
    EXPECT_FALSE(::IsWindowVisible(m_window));
    EXPECT_EQ(ExtendedStyle(m_window) & WS_EX_APPWINDOW, 0);
    EXPECT_NE(ExtendedStyle(m_window) & WS_EX_TOOLWINDOW, 0);
}

TEST_F(StartUpTest, WithDebugTheWindowIsShownWithItsTaskbarButton)
{
    StartProgram("-debug");
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) != FALSE; }));
    EXPECT_NE(ExtendedStyle(m_window) & WS_EX_APPWINDOW, 0);
    char caption[64] = {};
    ::GetWindowTextA(m_window, caption, sizeof caption);
    EXPECT_STREQ(caption, "VantrelRemote");
}

TEST_F(StartUpTest, RegistersTheWindowThenSendsTheStartUpCommand)
{
    StartProgram("");
    const auto journal = Jukebox().Journal();
    ASSERT_THAT(Operations(journal),
                ElementsAre("CreateJukeboxLink", "CreateJukeboxCompanion", "RegisterWindow", "SendCommandWithData"));
    const long window = static_cast<long>(reinterpret_cast<LONG_PTR>(m_window));
    EXPECT_EQ(journal[2].windowHandle, window);
    EXPECT_EQ(journal[3].windowHandle, window);
    EXPECT_EQ(journal[3].number, 203);
    EXPECT_FALSE(journal[3].textIsNull);
    EXPECT_EQ(journal[3].text, L"WmAppcommand=0");
    EXPECT_EQ(Jukebox().RegisteredWindow(), m_window);
}

TEST_F(StartUpTest, ASecondInstanceRunsIndependently)
{
    StartProgram("");
    ProgramRun second("", m_folder);
    ASSERT_TRUE(second.Started());
    HWND secondWindow = second.WaitForMainWindow();
    ASSERT_NE(secondWindow, nullptr);
    EXPECT_NE(secondWindow, m_window);
    EXPECT_TRUE(WaitUntil([&] { return Jukebox().RegisteredWindow() == secondWindow; }));

    ::SendMessageA(secondWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_FALSE(m_run->HasExited()) << "closing one instance leaves the other running";
}

TEST_F(StartUpTest, ShowWindowMessageFromAnotherProgramShowsTheHiddenWindow)
{
    StartProgram("");
    ::PostMessageA(m_window, WM_APP + 2, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) != FALSE; }));
    EXPECT_EQ(ExtendedStyle(m_window) & WS_EX_APPWINDOW, 0) << "still no taskbar button outside debug mode";
}

TEST(VersionResourceTest, NamesTheProgramAndItsVersion)
{
    const std::string program = ProgramFolder() + "\\VantrelRemote.exe";
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(program.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoA(program.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    const std::pair<const char*, const char*> strings[] = {
        {"FileDescription", "VantrelRemote MFC Application"},
        {"ProductName", "VantrelRemote Application"},
        {"InternalName", "VantrelRemote"},
        {"OriginalFilename", "VantrelRemote.EXE"},
    };
    for (const auto& [name, value] : strings) {
        char* text = nullptr;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(::VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_STREQ(text, value);
    }
}
