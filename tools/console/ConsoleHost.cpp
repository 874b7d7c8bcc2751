// The interactive remote's Windows side: runs VantrelRemote.exe in debug mode
// beside the reference jukebox, our module library and a simulated remote,
// reads one command per line from its input, carries it out and tells what
// happened, then shows the jukebox's state and the module's display.
//
// After each answer it writes a line holding only kReadyMark, so that a
// line editor in front of it knows when to ask for the next line. End of
// input quits like "quit".
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <exception>
#include <string>

#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "standins/rzmb/RzmbControl.h"
#include "tools/console/ConsoleCommand.h"
#include "tools/console/ReadyMark.h"
#include "tools/narration/SessionNarrator.h"

namespace {

bool ReadLine(std::string& line)
{
    line.clear();
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, stdin) != nullptr) {
        line += chunk;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            return true;
        }
    }
    return !line.empty();
}

void Ready()
{
    Say("%s\n", kReadyMark);
}

// Carries one command out; false once the session is to end.
bool Carry(const ConsoleCommand& command, SessionNarrator& session)
{
    switch (command.action) {
    case ConsoleAction::Nothing:
        return true;
    case ConsoleAction::Invalid:
        Say("? %s\n", command.error.c_str());
        return true;
    case ConsoleAction::Help:
        Say("%s", ConsoleHelp().c_str());
        return true;
    case ConsoleAction::Quit:
        return false;
    case ConsoleAction::Show:
        break;
    case ConsoleAction::Plug:
        session.PlugIn();
        break;
    case ConsoleAction::Unplug:
        session.Unplug();
        break;
    case ConsoleAction::Key:
        session.Press(command.code, command.parameter);
        break;
    case ConsoleAction::Jukebox:
        if (!session.JukeboxActs(command.command, command.act.c_str()))
            Say("  (the jukebox did nothing)\n");
        break;
    }
    session.ShowState();
    return true;
}

int RunConsole(RemoteSimulator& remote, const std::string& folder)
{
    JukeboxControl jukebox;
    if (!jukebox.Connected()) {
        Say("The reference jukebox is not registered.\n");
        return 1;
    }
    SessionNarrator::PrepareModule();
    SessionNarrator session(remote, jukebox);
    Say("Starting VantrelRemote.exe -debug (its saved log goes to %s)\n", folder.c_str());
    ProgramRun run("-debug", folder);
    if (!session.FollowStart(run))
        return 1;
    session.PlugIn();
    session.ShowState();
    Say("Type help for the keys; quit (or Ctrl-D) closes the program.\n");

    std::string line;
    for (;;) {
        Ready();
        if (!ReadLine(line))
            break;
        try {
            if (!Carry(ParseConsoleLine(line), session))
                break;
        } catch (const std::exception& error) {
            Say("? %s\n", error.what());
        }
        if (run.HasExited()) {
            Say("VantrelRemote.exe ended by itself, exit code %lu\n", run.ExitCode());
            return 1;
        }
    }

    Say("Closing VantrelRemote.exe\n");
    return session.Close(run);
}

}  // namespace

int main(int argc, char** argv)
{
    ::SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, "console");
    RemoteSimulator remote("console");
    const std::string folder = argc > 1 ? argv[1] : MakeScratchFolder("console");
    ::CoInitialize(nullptr);
    int result = 1;
    try {
        result = RunConsole(remote, folder);
    } catch (const std::exception& error) {
        Say("The console stopped: %s\n", error.what());
    }
    ::CoUninitialize();
    return result;
}
