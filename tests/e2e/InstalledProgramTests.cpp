// The program as the per-user installer leaves it: the product Windows
// Installer knows, the Start menu shortcuts, the Run value, and the program
// started from its shortcuts as a user starts them. The installer's test
// (tests/downloads) installs, upgrades and uninstalls, and tells these tests
// what to expect:
//   VANTREL_INSTALLED_VERSION  the installed version, empty when none is
//   VANTREL_START_AT_LOGON     1 when the Run value should be there
//   VANTREL_MODULE_LIBRARY     the module library the program should load
//   VANTREL_LATER_MSI          a later version's package, for the upgrade,
//   VANTREL_LATER_VERSION      and its version
// Without them there is nothing to check.
#include <windows.h>

#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "E2eEnvironment.h"
#include "framework/ComPtr.h"
#include "module/ModuleLibraryNote.h"

namespace {

constexpr char kUpgradeCode[] = "{25629840-E90D-4434-B6A3-44465BF67D7E}";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string Setting(const char* name)
{
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : value;
}

std::string KnownFolder(int folder)
{
    char path[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string InstallFolder()
{
    return KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\VantrelRemote";
}

std::string ShortcutPath(const std::string& name)
{
    return KnownFolder(CSIDL_PROGRAMS) + "\\" + name + ".lnk";
}

struct Shortcut
{
    bool found = false;
    std::string target;
    std::string arguments;
    std::string workingFolder;
};

Shortcut ReadShortcut(const std::string& name)
{
    Shortcut shortcut;
    ComPtr<IShellLinkA> link;
    ComPtr<IPersistFile> file;
    const std::string path = ShortcutPath(name);
    wchar_t widePath[MAX_PATH] = {};
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  link.ReleaseAndGetAddressOf())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.ReleaseAndGetAddressOf())) ||
        FAILED(file->Load(widePath, STGM_READ)))
        return shortcut;
    char text[MAX_PATH] = {};
    shortcut.found = SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH));
    shortcut.target = text;
    link->GetArguments(text, MAX_PATH);
    shortcut.arguments = text;
    link->GetWorkingDirectory(text, MAX_PATH);
    shortcut.workingFolder = text;
    return shortcut;
}

// The version of every installed product of ours.
std::vector<std::string> InstalledVersions()
{
    std::vector<std::string> versions;
    char product[39] = {};
    for (DWORD index = 0; ::MsiEnumRelatedProductsA(kUpgradeCode, 0, index, product) == ERROR_SUCCESS; ++index) {
        char version[32] = {};
        DWORD length = sizeof version;
        ::MsiGetProductInfoA(product, INSTALLPROPERTY_VERSIONSTRING, version, &length);
        versions.push_back(version);
    }
    return versions;
}

// The Run value, or "" when there is none.
std::string RunValue()
{
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (::RegGetValueA(HKEY_CURRENT_USER, kRunKey, "VantrelRemote", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "";
    return value;
}

// Runs the command line and returns its exit code.
DWORD Run(std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &created))
        return ::GetLastError();
    UniqueHandle process(created.hProcess);
    UniqueHandle thread(created.hThread);
    ::WaitForSingleObject(process.Get(), 120000);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process.Get(), &code);
    return code;
}

DWORD RunInstaller(const std::string& arguments)
{
    return Run("msiexec.exe " + arguments);
}

// The processes that run a program of that name.
std::vector<DWORD> ProcessesNamed(const char* name)
{
    return ProcessIdsNamed(name).value_or(std::vector<DWORD>{});
}

// Starts a Start menu entry as a user does, with `start` on its shortcut, and
// waits until the launcher it runs has done its work. start does not wait for
// a shortcut's program, but the launcher exists once start has returned.
bool StartShortcut(const std::string& name)
{
    if (Run("cmd.exe /c start \"\" \"" + ShortcutPath(name) + "\"") != 0)
        return false;
    for (const DWORD id : ProcessesNamed("VantrelLauncher.exe")) {
        const UniqueHandle launcher(::OpenProcess(SYNCHRONIZE, FALSE, id));
        if (launcher && ::WaitForSingleObject(launcher.Get(), 120000) != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

// How many times the jukebox received the command.
std::size_t CommandCount(long number)
{
    const std::vector<long> numbers = CommandNumbers(Jukebox().Journal());
    return static_cast<std::size_t>(std::count(numbers.begin(), numbers.end(), number));
}

// Our hid.dll and setupapi.dll beside the installed program for a while, so
// that it meets the simulated remote as the build's programs do.
class RemoteSubstitutes
{
public:
    RemoteSubstitutes()
    {
        for (const char* file : kFiles)
            EXPECT_TRUE(::CopyFileA((ProgramFolder() + "\\" + file).c_str(), (InstallFolder() + "\\" + file).c_str(),
                                    FALSE))
                << file;
    }
    ~RemoteSubstitutes()
    {
        for (const char* file : kFiles)
            ::DeleteFileA((InstallFolder() + "\\" + file).c_str());
    }
    RemoteSubstitutes(const RemoteSubstitutes&) = delete;
    RemoteSubstitutes& operator=(const RemoteSubstitutes&) = delete;

private:
    static constexpr const char* kFiles[] = {"hid.dll", "setupapi.dll"};
};

class InstalledProgramTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        if (std::getenv("VANTREL_INSTALLED_VERSION") == nullptr)
            GTEST_SKIP() << "VANTREL_INSTALLED_VERSION names no installed version";
        ProgramTest::SetUp();
    }

    void TearDown() override
    {
        ProgramTest::TearDown();
        if (m_remote)
            Remote().Unplug(*m_remote, false);
    }

    // Starts the program with the shortcut, as a user does, and waits for the
    // end of its start-up.
    void StartFromShortcut(const std::string& name)
    {
        Jukebox().ClearJournal();
        ASSERT_TRUE(StartShortcut(name)) << name;
        const std::vector<DWORD> running = ProcessesNamed("VantrelRemote.exe");
        ASSERT_EQ(running.size(), 1u) << "bridges running after " << name;
        m_folder = InstallFolder();  // the shortcuts' working folder
        m_run = std::make_unique<ProgramRun>(running.front());
        WaitForStartUp();
    }

    std::optional<SimulatedDeviceId> m_remote;
};

}  // namespace

TEST_F(InstalledProgramTest, OneProductWithItsShortcutsAndRunValue)
{
    const std::string version = Setting("VANTREL_INSTALLED_VERSION");
    const std::string launcher = InstallFolder() + "\\VantrelLauncher.exe";
    if (version.empty()) {
        EXPECT_TRUE(InstalledVersions().empty());
        EXPECT_FALSE(ReadShortcut("VantrelRemote").found);
        EXPECT_FALSE(ReadShortcut("VantrelRemote (debug)").found);
        EXPECT_EQ(RunValue(), "");
        return;
    }
    EXPECT_EQ(InstalledVersions(), std::vector<std::string>{version});
    for (const auto& [name, arguments] : {std::pair<std::string, std::string>{"VantrelRemote", ""},
                                          {"VantrelRemote (debug)", "-debug"}}) {
        const Shortcut shortcut = ReadShortcut(name);
        ASSERT_TRUE(shortcut.found) << name;
        EXPECT_EQ(shortcut.target, launcher) << name;
        EXPECT_EQ(shortcut.arguments, arguments) << name;
        EXPECT_EQ(shortcut.workingFolder, InstallFolder() + "\\") << name;
    }
    EXPECT_EQ(RunValue(), Setting("VANTREL_START_AT_LOGON") == "1" ? "\"" + launcher + "\"" : "");
}

TEST_F(InstalledProgramTest, StartsFromTheDebugShortcutWithItsModuleLibraryAndSavesItsLogInTheInstallFolder)
{
    StartFromShortcut("VantrelRemote (debug)");
    const std::vector<std::string> log = LogTexts(SaveLog());
    ASSERT_FALSE(log.empty());
    EXPECT_STRCASEEQ(log.front().c_str(), LoadedModuleLibraryNote(Setting("VANTREL_MODULE_LIBRARY")).c_str());
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
    EXPECT_NE(::GetFileAttributesA((InstallFolder() + "\\VantrelRemote.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The installer closes the program as its window's Close would, then changes
// the files at once; it does not start the program again.
TEST_F(InstalledProgramTest, UpgradeAndUninstallCloseTheRunningProgramFirst)
{
    const std::string later = Setting("VANTREL_LATER_MSI");
    ASSERT_FALSE(later.empty()) << "VANTREL_LATER_MSI names no later package";
    const auto expectClosedNormally = [&] {
        EXPECT_TRUE(m_run->HasExited());
        EXPECT_EQ(m_run->ExitCode(), 0u);
    };

    StartFromShortcut("VantrelRemote");
    EXPECT_EQ(RunInstaller("/i \"" + later + "\" /qn"), 0u);
    expectClosedNormally();
    EXPECT_EQ(InstalledVersions(), std::vector<std::string>{Setting("VANTREL_LATER_VERSION")});

    StartFromShortcut("VantrelRemote");
    EXPECT_EQ(RunInstaller("/x \"" + later + "\" /qn"), 0u);
    expectClosedNormally();
    EXPECT_TRUE(InstalledVersions().empty());
}

// The Start menu entries started beside a running program, as a user starts
// them: the debug entry ends it in order and starts the debug one, the plain
// entry starts no second one. One bridge reads the remote: a key gives one
// command.
TEST_F(InstalledProgramTest, TheStartMenuEntriesKeepOneBridgeRunning)
{
    const RemoteSubstitutes substitutes;
    m_remote = Remote().Plug();
    m_folder = InstallFolder();
    StartProgram("", InstallFolder() + "\\VantrelRemote.exe");
    const std::unique_ptr<ProgramRun> first = std::move(m_run);

    StartFromShortcut("VantrelRemote (debug)");
    EXPECT_TRUE(first->HasExited());
    EXPECT_EQ(first->ExitCode(), 0u) << "not ended as its Close would end it";
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(m_window) != FALSE; })) << "not the debug one";

    ASSERT_TRUE(StartShortcut("VantrelRemote"));
    EXPECT_EQ(ProcessesNamed("VantrelRemote.exe"), std::vector<DWORD>{m_run->ProcessId()});

    ASSERT_TRUE(WaitUntil([&] { return Remote().Press(*m_remote, 1); })) << "the remote was never opened";
    ASSERT_TRUE(WaitUntil([] { return CommandCount(1) > 0; })) << "the key's command never came";
    CloseProgram();
    EXPECT_EQ(CommandCount(1), 1u);
}
