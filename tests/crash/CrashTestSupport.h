// What the crash tests share: running a program to its end, and the paths
// and contents of files.
#pragma once

#include <windows.h>

#include <string>

// Runs program with the arguments and waits (generously) for it to end.
// False if it could not be started or did not end; it is then killed.
bool RunToEnd(const std::string& program, const std::string& arguments, DWORD& exitCode);

bool FileExists(const std::string& path);
// The file's content, or "<missing>".
std::string FileText(const std::string& path);
bool SamePath(const std::string& first, const std::string& second);
// Whether the read-only attribute keeps the file from being opened for
// writing; Wine running as root lets root write it all the same.
bool ReadOnlyIsEnforced(const std::string& path);
// Deletes a file even when it is read-only.
void RemoveFile(const std::string& path);
// Deletes a folder with everything in it.
void RemoveFolder(const std::string& path);
