#include "CrashTestSupport.h"

#include <vector>

#include "ProgramRun.h"

namespace {

// A crash hands over to the system's debugger, which takes a while to start.
constexpr DWORD kRunLimitMs = 120000;

}  // namespace

bool RunToEnd(const std::string& program, const std::string& arguments, DWORD& exitCode)
{
    std::string commandLine = "\"" + program + "\" " + arguments;
    std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
    mutableCommandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessA(program.c_str(), mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &created))
        return false;
    UniqueHandle process(created.hProcess);
    UniqueHandle thread(created.hThread);
    if (::WaitForSingleObject(process.Get(), kRunLimitMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.Get(), 1);
        ::WaitForSingleObject(process.Get(), kRunLimitMs);
        return false;
    }
    return ::GetExitCodeProcess(process.Get(), &exitCode) != FALSE;
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileText(const std::string& path)
{
    std::string content;
    return ReadWholeFile(path, content) ? content : "<missing>";
}

bool SamePath(const std::string& first, const std::string& second)
{
    return _stricmp(first.c_str(), second.c_str()) == 0;
}

bool ReadOnlyIsEnforced(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    const UniqueHandle opened(file);
    return false;
}

void RemoveFile(const std::string& path)
{
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

void RemoveFolder(const std::string& path)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path + "\\" + name);
            else
                RemoveFile(path + "\\" + name);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}
