// The main dialog in this process, started as the application starts it and
// talking to the registered reference jukebox: commands from several threads,
// log lines from several threads, and the saved file.
#include "app/VantrelRemoteDlg.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "app/VantrelRemoteApp.h"
#include "WineTestSupport.h"
#include "app/EventLog.h"
#include "app/VantrelRemoteApp.h"
#include "jukebox/JukeboxCommandChannel.h"
#include "module/ModuleLibrary.h"

extern CVantrelRemoteApp theApp;

namespace {

std::vector<JournalEntry> Commands(const std::vector<JournalEntry>& journal)
{
    std::vector<JournalEntry> commands;
    std::copy_if(journal.begin(), journal.end(), std::back_inserter(commands), [](const JournalEntry& entry) {
        return entry.operation == "SendCommand" || entry.operation == "SendCommandWithData";
    });
    return commands;
}

class MainDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        m_jukebox = std::make_unique<JukeboxControl>();
        ASSERT_TRUE(m_jukebox->Connected());
        m_jukebox->ClearJournal();
        ASSERT_TRUE(theApp.InitInstance());  // this test program's command line holds " -debug"
        m_dialog = dynamic_cast<CVantrelRemoteDlg*>(theApp.GetMainWnd());
        ASSERT_NE(m_dialog, nullptr);
        ASSERT_TRUE(m_dialog->m_debugMode);
        ASSERT_TRUE(WaitForCommands(1)) << "start-up command 203 never arrived";
    }

    void TearDown() override
    {
        if (m_dialog != nullptr && m_dialog->m_hWnd != nullptr)
            m_dialog->SendMessage(WM_CLOSE);
        DrainMessages();
        theApp.ExitInstance();
        m_jukebox.reset();
        ::CoUninitialize();
    }

    bool WaitForCommands(size_t count)
    {
        return PumpMessagesUntil([&] { return Commands(m_jukebox->Journal()).size() >= count; });
    }

    std::vector<std::string> LogDetails() const { return ::LogDetails(m_dialog->m_eventLog); }

    std::unique_ptr<JukeboxControl> m_jukebox;
    CVantrelRemoteDlg* m_dialog = nullptr;
};

}  // namespace

TEST_F(MainDialogTest, CommandsFromASecondThreadArriveAfterThoseAlreadyQueued)
{
    PostJukeboxCommand(1, nullptr);
    PostJukeboxCommand(20, "two");
    std::thread other([] {
        PostJukeboxCommand(3, nullptr);
        PostJukeboxCommand(201, "");
    });
    other.join();
    ASSERT_TRUE(WaitForCommands(5));

    const auto commands = Commands(m_jukebox->Journal());
    ASSERT_EQ(commands.size(), 5u);
    const long window = static_cast<long>(reinterpret_cast<LONG_PTR>(m_dialog->m_hWnd));
    const std::vector<long> numbers{commands[1].number, commands[2].number, commands[3].number, commands[4].number};
    EXPECT_EQ(numbers, (std::vector<long>{1, 20, 3, 201}));
    EXPECT_EQ(commands[1].operation, "SendCommand");
    EXPECT_EQ(commands[2].text, L"two");
    EXPECT_EQ(commands[4].operation, "SendCommandWithData");
    EXPECT_FALSE(commands[4].textIsNull) << "an empty text is a text";
    for (const auto& command : commands)
        EXPECT_EQ(command.windowHandle, window) << Describe(command);

    // The jukebox answers play (1) and stop (3) with events of its own, which
    // are logged too; only the command lines are in question here.
    std::vector<std::string> commandLines = LogDetails();
    commandLines.erase(std::remove_if(commandLines.begin(), commandLines.end(),
                                      [](const std::string& line) { return line.rfind("Command", 0) != 0; }),
                       commandLines.end());
    EXPECT_THAT(commandLines, ::testing::ElementsAre("Command to Cantora: 203  Data: WmAppcommand=0",
                                                     "Command to Cantora: 1", "Command to Cantora: 20  Data: two",
                                                     "Command to Cantora: 3", "Command to Cantora: 201  Data: "));
}

TEST_F(MainDialogTest, TextsPassThroughTheAnsiCodePage)
{
    PostJukeboxCommand(201, "caf\xE9 \x80");
    ASSERT_TRUE(WaitForCommands(2));
    EXPECT_EQ(Commands(m_jukebox->Journal()).back().text, L"caf\u00E9 \u20AC");
    EXPECT_EQ(LogDetails().back(), "Command to Cantora: 201  Data: caf\xE9 \x80");
}

TEST_F(MainDialogTest, CommandsWithoutAMainWindowAreDropped)
{
    CWnd* mainWindow = theApp.m_pMainWnd;
    theApp.m_pMainWnd = nullptr;
    PostJukeboxCommand(5, "dropped");
    PostJukeboxCommand(6, nullptr);
    theApp.m_pMainWnd = mainWindow;
    PostJukeboxCommand(7, nullptr);
    ASSERT_TRUE(WaitForCommands(2));
    PumpMessagesUntil([] { return false; }, std::chrono::milliseconds(200));
    const auto commands = Commands(m_jukebox->Journal());
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[1].number, 7);
}

TEST_F(MainDialogTest, LinesFromTwoThreadsEachGetTheirOwnRow)
{
    constexpr int kLines = 200;
    const int startUpRows = m_dialog->m_rowCounter;
    std::atomic<bool> done{false};
    std::thread other([&] {
        for (int i = 0; i < kLines; ++i)
            AppendLogLine(("other " + std::to_string(i)).c_str());
        done = true;
    });
    for (int i = 0; i < kLines; ++i) {
        AppendLogLine(("ui " + std::to_string(i)).c_str());
        DrainMessages();
    }
    EXPECT_TRUE(PumpMessagesUntil([&] { return done.load(); }));
    other.join();

    const auto details = LogDetails();
    ASSERT_EQ(details.size(), static_cast<size_t>(startUpRows + 2 * kLines));
    EXPECT_EQ(m_dialog->m_rowCounter, startUpRows + 2 * kLines);
    int nextUi = 0;
    int nextOther = 0;
    for (size_t row = static_cast<size_t>(startUpRows); row < details.size(); ++row) {
        if (details[row] == "ui " + std::to_string(nextUi))
            ++nextUi;
        else if (details[row] == "other " + std::to_string(nextOther))
            ++nextOther;
        else
            ADD_FAILURE() << "row " << row << " out of order: " << details[row];
    }
    EXPECT_EQ(nextUi, kLines);
    EXPECT_EQ(nextOther, kLines);
}

TEST_F(MainDialogTest, SaveWritesEveryRowByteForByte)
{
    const std::string folder = MakeScratchFolder("save");
    char previous[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str()));

    AppendLogLine("a\tb");
    AppendLogLine("first\nsecond");
    AppendLogLine("");
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED));
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED));  // saving twice keeps only the second

    std::string saved;
    ASSERT_TRUE(ReadWholeFile(folder + "\\VantrelRemote.log", saved));
    ::SetCurrentDirectoryA(previous);
    const std::string time = m_dialog->m_eventLog.GetItemText(1, 0).Str();
    ASSERT_EQ(time.size(), 8u);
    // Every line of this test was appended within a second or two; compare
    // with the times the rows carry.
    std::string expected;
    const std::string texts[] = {TheModuleLibrary.Note(), "Command to Cantora: 203  Data: WmAppcommand=0", "a\tb",
                                 "first\r\nsecond", ""};
    for (int row = 0; row < 5; ++row)
        expected += m_dialog->m_eventLog.GetItemText(row, 0).Str() + "\t" + texts[row] + "\r\n";
    EXPECT_EQ(saved, expected);
}

TEST_F(MainDialogTest, ClearStartsTheLogAgainAtRowZero)
{
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(1002, BN_CLICKED));
    EXPECT_EQ(m_dialog->m_eventLog.GetItemCount(), 0);
    AppendLogLine("after clear");
    EXPECT_THAT(LogDetails(), ::testing::ElementsAre("after clear"));
    EXPECT_EQ(m_dialog->m_rowCounter, 1);
}

TEST_F(MainDialogTest, SystemMenuHasTheAboutEntry)
{
    HMENU systemMenu = ::GetSystemMenu(m_dialog->m_hWnd, FALSE);
    ASSERT_NE(systemMenu, nullptr);
    const int count = ::GetMenuItemCount(systemMenu);
    ASSERT_GE(count, 2);
    char text[64] = {};
    ::GetMenuStringA(systemMenu, 0x0010, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&About VantrelRemote...");
    EXPECT_EQ(::GetMenuItemID(systemMenu, count - 1), 0x0010u);
    EXPECT_NE(::GetMenuState(systemMenu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR, 0u);
}

TEST_F(MainDialogTest, WindowFollowsItsTemplate)
{
    HWND window = m_dialog->m_hWnd;
    char text[128] = {};
    ::GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, kMainWindowClassName);
    ::GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "VantrelRemote");
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);

    struct Control
    {
        int id;
        const char* className;
        const char* text;
        RECT dialogUnits;  // left, top, width, height
        bool visible;
    };
    const Control controls[] = {
        {1000, "Button", "Query Hardware ID", {211, 245, 70, 14}, false},
        {1001, "SysListView32", "List1", {7, 7, 394, 231}, true},
        {1002, "Button", "&Clear", {351, 245, 50, 14}, true},
        {1003, "Button", "Save", {295, 245, 50, 14}, true},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE(control.id);
        HWND child = ::GetDlgItem(window, control.id);
        ASSERT_NE(child, nullptr);
        ::GetClassNameA(child, text, sizeof text);
        EXPECT_STRCASEEQ(text, control.className);
        ::GetWindowTextA(child, text, sizeof text);
        EXPECT_STREQ(text, control.text);
        EXPECT_EQ((::GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) != 0, control.visible);
        EXPECT_NE(::GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP, 0);
        RECT expected{control.dialogUnits.left, control.dialogUnits.top, control.dialogUnits.left + control.dialogUnits.right,
                      control.dialogUnits.top + control.dialogUnits.bottom};
        ::MapDialogRect(window, &expected);
        RECT actual{};
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_NEAR(actual.right - actual.left, expected.right - expected.left, 1);
        EXPECT_NEAR(actual.bottom - actual.top, expected.bottom - expected.top, 1);
    }
    EXPECT_NE(::GetWindowLongPtrA(::GetDlgItem(window, 1001), GWL_STYLE) & LVS_REPORT, 0);
    EXPECT_EQ(::GetWindowLongPtrA(::GetDlgItem(window, 1001), GWL_STYLE) & (LVS_SORTASCENDING | LVS_SORTDESCENDING), 0);
}

TEST_F(MainDialogTest, LogColumnsAreTimeAndDetails)
{
    HWND list = m_dialog->m_eventLog.m_hWnd;
    const struct
    {
        const char* heading;
        int width;
    } columns[] = {{"time", 80}, {"details", 500}};
    for (int index = 0; index < 2; ++index) {
        char heading[32] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
        column.pszText = heading;
        column.cchTextMax = sizeof heading;
        ASSERT_TRUE(::SendMessageA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(heading, columns[index].heading);
        EXPECT_EQ(column.cx, columns[index].width);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
}

TEST_F(MainDialogTest, IconsAreSetAndAnsweredForDragging)
{
    HWND window = m_dialog->m_hWnd;
    const auto bigIcon = ::SendMessageA(window, WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(bigIcon, 0);
    EXPECT_EQ(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0), bigIcon);
    EXPECT_EQ(::SendMessageA(window, WM_QUERYDRAGICON, 0, 0), bigIcon);
}

TEST_F(MainDialogTest, AboutEntryRunsTheAboutBoxModally)
{
    // The box runs its own message loop inside the system command; another
    // thread finds it and presses OK.
    std::atomic<bool> closed{false};
    std::thread presser([&] {
        // The box is found by its caption as soon as it exists, before its
        // controls do: wait for the OK button too.
        HWND about = nullptr;
        const bool found = WaitUntil([&] {
            about = ::FindWindowA(nullptr, "About VantrelRemote");
            char line[64] = {};
            return about != nullptr && ::GetDlgItemTextA(about, IDOK, line, sizeof line) > 0 &&
                   std::string(line) == "OK";
        });
        if (found) {
            closed = true;
            ::PostMessageA(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    });
    m_dialog->SendMessage(WM_SYSCOMMAND, 0x0010);
    presser.join();
    EXPECT_TRUE(closed.load());
    EXPECT_EQ(::FindWindowA(nullptr, "About VantrelRemote"), nullptr);
}
