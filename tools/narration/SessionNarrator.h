// Tells, in words, what a session with the program did on each side: the
// calls the reference jukebox received, what its player does now, and what
// the module was told. The demo and the interactive console share it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "tools/narration/ModuleDisplay.h"

class SessionNarrator
{
public:
    SessionNarrator(RemoteSimulator& remote, const JukeboxControl& jukebox);

    // The module as both sessions want it: block delivery switched on for the
    // program's start, and four bytes for the module-information key.
    static void PrepareModule();
    // Waits for the started program's window and the end of its start-up,
    // then tells what it did; false (and says so) when no window came.
    bool FollowStart(const ProgramRun& run);
    // Closes the program with WM_CLOSE and tells how it ended; its exit code,
    // or 1 when it did not end.
    int Close(const ProgramRun& run);
    HWND Window() const { return m_window; }
    bool RemotePlugged() const { return m_plugged; }

    // Each does one thing to the program or the jukebox, waits until both
    // sides have gone quiet, and tells what happened.
    void PlugIn();
    void Unplug();
    bool Press(std::uint8_t code, const std::vector<std::uint8_t>& parameter = {});
    bool JukeboxActs(long command, const char* what);

    // Waits until the jukebox and the module have been quiet for a moment (a
    // command sets off a few events and blocks), then tells what they got.
    void Settle();
    // The player and the module's display, one line each.
    void ShowState() const;

private:
    void TellJukebox();
    void TellModule();

    RemoteSimulator& m_remote;
    const JukeboxControl& m_jukebox;
    HWND m_window = nullptr;
    SimulatedDeviceId m_device{};
    bool m_plugged = false;
    long m_callsTold = 0;
    std::uint32_t m_writesTold = 0;
    ModuleDisplay m_display;
};

// Text in the system's ANSI code page (the saved log, say) for a terminal.
std::string AnsiToUtf8(const std::string& text);

// The session's output goes to a terminal or a pipe line by line.
void Say(const char* format, ...);
