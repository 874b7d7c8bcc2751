// The device module's library, rzmb.dll: loaded once at start, from the
// program's own folder or else the system folder of the program's width, and
// never from the current folder or PATH, where a planted library could be
// waiting (a program started from a downloads folder, say). It is optional:
// without one, or with one that lacks either function, RzmaGetMem and
// RzmaSetMem (module/rzmb.h) fail on every call, which the program handles
// everywhere, and the remote's keys still reach the jukebox.
#pragma once

#include <string>

#include "framework/UniqueHandle.h"

class ModuleLibrary
{
public:
    // Loads the library and makes RzmaGetMem and RzmaSetMem call it. Made
    // during static initialisation, before any thread that calls them starts.
    ModuleLibrary();
    // The calls fail again, then the library goes; every thread that called
    // it has ended by then.
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    // The event log's line about it: the full path of the library in use, or
    // which library is missing and what that means for the user.
    const std::string& Note() const { return m_note; }

private:
    UniqueLibrary m_library;
    std::string m_note;
};

// The program's one, among its objects with static lifetime.
extern ModuleLibrary TheModuleLibrary;

// Appends its note to the event log: once, at start, after the main dialog
// has plugged its list in.
void LogModuleLibrary();
