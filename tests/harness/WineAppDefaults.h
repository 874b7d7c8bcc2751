// Wine's per-program settings, for a test that needs the program to see
// another Windows version than the prefix's own.
#pragma once

#include <string>

// While alive, programs named program (for example "VantrelRemote.exe")
// started from now on see the given Windows version ("winxp", "win7"...).
class ProgramWindowsVersion
{
public:
    ProgramWindowsVersion(const std::string& program, const std::string& version);
    ~ProgramWindowsVersion();
    ProgramWindowsVersion(const ProgramWindowsVersion&) = delete;
    ProgramWindowsVersion& operator=(const ProgramWindowsVersion&) = delete;

private:
    std::string m_key;
};
