#include "E2eEnvironment.h"

#include <objbase.h>

#include <algorithm>

#include "SubstituteModule.h"

namespace {

std::unique_ptr<JukeboxControl> g_jukebox;
std::unique_ptr<RemoteSimulator> g_remote;

class ComEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        ::CoInitialize(nullptr);
        // This process's own module; the programs it starts inherit the
        // instance, and the library keeps the first one a process asks for.
        SubstituteModule::UseInstance("e2e-module-" + std::to_string(::GetCurrentProcessId()));
        g_remote = std::make_unique<RemoteSimulator>("e2e-remote-" + std::to_string(::GetCurrentProcessId()));
        ReconnectJukebox();
        ASSERT_TRUE(Jukebox().Connected()) << "the reference jukebox is not registered";
    }
    void TearDown() override
    {
        g_jukebox.reset();
        g_remote.reset();
        ::CoUninitialize();
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace

JukeboxControl& Jukebox()
{
    return *g_jukebox;
}

RemoteSimulator& Remote()
{
    return *g_remote;
}

void DisconnectJukebox()
{
    g_jukebox.reset();
}

void ReconnectJukebox()
{
    g_jukebox = std::make_unique<JukeboxControl>();
}

std::vector<std::string> LogTexts(const std::string& log)
{
    std::vector<std::string> texts;
    size_t start = 0;
    for (size_t end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = log.substr(start, end - start);
        const size_t tab = line.find('\t');
        texts.push_back(tab == std::string::npos ? line : line.substr(tab + 1));
    }
    return texts;
}

void ProgramTest::SetUp()
{
    ASSERT_TRUE(g_jukebox && g_jukebox->Connected());
    Jukebox().ClearJournal();
    m_folder = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

void ProgramTest::TearDown()
{
    if (m_run && !m_run->HasExited())
        CloseProgram();
    m_run.reset();
}

void ProgramTest::StartProgram(const std::string& arguments, const std::string& program)
{
    LaunchProgram(arguments, program);
    WaitForStartUp();
}

void ProgramTest::LaunchProgram(const std::string& arguments, const std::string& program)
{
    m_run = std::make_unique<ProgramRun>(arguments, m_folder, program);
    ASSERT_TRUE(m_run->Started()) << "error " << m_run->StartError() << " starting " << program << " in " << m_folder;
}

void ProgramTest::WaitForStartUp()
{
    ASSERT_TRUE(m_run);
    m_window = m_run->WaitForMainWindow();
    ASSERT_NE(m_window, nullptr) << "no main window";
    const auto isStartUpCommand = [](const JournalEntry& entry) {
        return entry.operation == "SendCommandWithData" && entry.number == 203;
    };
    const auto journal = Jukebox().WaitForEntry(isStartUpCommand);
    ASSERT_TRUE(std::any_of(journal.begin(), journal.end(), isStartUpCommand)) << "start-up did not finish";
}

void ProgramTest::Click(int button) const
{
    ::SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

std::string ProgramTest::SaveLog() const
{
    const std::string path = m_folder + "\\VantrelRemote.log";
    ::DeleteFileA(path.c_str());
    Click(kSaveButton);
    std::string content;
    EXPECT_TRUE(ReadWholeFile(path, content)) << "no log saved";
    return content;
}

std::string ProgramTest::SaveLogAfterQueuedWork() const
{
    const std::string path = m_folder + "\\VantrelRemote.log";
    ::DeleteFileA(path.c_str());
    ::PostMessageA(m_window, WM_COMMAND, MAKEWPARAM(kSaveButton, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        << "no log saved";
    return SaveLog();
}

void ProgramTest::CloseProgram()
{
    ::SendMessageA(m_window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(m_run->WaitForExit()) << "the program did not end";
}
