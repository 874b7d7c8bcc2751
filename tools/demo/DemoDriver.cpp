// The demo: runs VantrelRemote.exe in debug mode beside the reference
// jukebox, our module library and a simulated remote, plays a session on the
// remote and tells, step by step, what each side did: the key pressed, the
// command the jukebox received and what its player does now, each block the
// module took in words, and at the end the saved event log.
//
//   vantrel_demo.exe <folder> [--screenshot]
//
// The saved log lands in <folder>. With --screenshot the demo writes
// <folder>\screenshot-request.txt (the window's rectangle on the screen) once
// the event log is full, and waits for screenshot-done.txt before it goes on.
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "standins/rzmb/RzmbControl.h"
#include "tools/narration/SessionNarrator.h"

namespace {

// Control ids of the main dialog's buttons.
constexpr int kQueryHardwareIdButton = 1000;
constexpr int kSaveButton = 1003;

void Step(const char* text)
{
    Say("\n== %s\n", text);
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Hands the window's place on the screen to whoever takes the picture, and
// waits until it is taken.
void TakeScreenshot(HWND window, const std::string& folder)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT place{};
    ::GetWindowRect(window, &place);
    const std::string done = folder + "\\screenshot-done.txt";
    ::DeleteFileA(done.c_str());
    if (FILE* request = std::fopen((folder + "\\screenshot-request.txt").c_str(), "w")) {
        std::fprintf(request, "%ld %ld %ld %ld\n", place.left, place.top, place.right - place.left,
                     place.bottom - place.top);
        std::fclose(request);
    }
    const bool taken = WaitUntil([&] { return FileExists(done); }, std::chrono::seconds(30));
    Say("  the window, %ld x %ld, %s\n", place.right - place.left, place.bottom - place.top,
        taken ? "is on the screenshot" : "was not photographed in time");
}

void PlaySession(SessionNarrator& session)
{
    Step("The remote is plugged in: the program opens it, starts its reader and tells the jukebox");
    session.PlugIn();

    Step("Keys on the remote");
    session.Press(1);
    session.Press(2);
    session.Press(4);
    session.Press(1);
    session.Press(5);
    session.Press(6);
    // The level key carries its level in the second parameter byte: 90 of 255.
    session.Press(8, {0x00, 90});
    session.Press(66);
    session.Press(71);
    // The module asks for the play state it was last told (state code a2).
    session.Press(81, {0xA2});
    session.Press(79);

    Step("The jukebox changes state by itself (its own buttons) and tells the program");
    session.JukeboxActs(2, "pause");
    session.JukeboxActs(4, "next track");
    session.JukeboxActs(1, "play");

    Step("The remote is pulled out and plugged back in");
    session.Unplug();
    session.PlugIn();
    session.Press(66);
}

int RunDemo(RemoteSimulator& remote, const std::string& folder, bool screenshot)
{
    const auto started = std::chrono::steady_clock::now();
    JukeboxControl jukebox;
    if (!jukebox.Connected()) {
        Say("The reference jukebox is not registered.\n");
        return 1;
    }
    jukebox.ClearJournal();
    SessionNarrator::PrepareModule();
    SessionNarrator session(remote, jukebox);
    Step("VantrelRemote.exe -debug starts: it registers its window with the jukebox and sends its setting");
    ProgramRun run("-debug", folder);
    if (!session.FollowStart(run))
        return 1;
    const HWND window = session.Window();

    PlaySession(session);

    Step("The Query Hardware ID button");
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kQueryHardwareIdButton, BN_CLICKED), 0);
    session.Settle();

    Step("Where things stand");
    session.ShowState();
    if (screenshot)
        TakeScreenshot(window, folder);

    Step("The Save button: the event log as saved");
    const std::string path = folder + "\\VantrelRemote.log";
    ::DeleteFileA(path.c_str());
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(kSaveButton, BN_CLICKED), 0);
    std::string log;
    WaitUntil([&] { return ReadWholeFile(path, log) && !log.empty(); });
    Say("%s", AnsiToUtf8(log).c_str());
    Say("  (saved as %s)\n", path.c_str());

    Step("The program is closed (WM_CLOSE)");
    const int exitCode = session.Close(run);
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Say("\nThe session took %.1f s.\n", took);
    return exitCode == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // A module and a remote of the demo's own, shared with the program it
    // starts.
    ::SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, "demo");
    RemoteSimulator remote("demo");
    const std::string folder = argc > 1 ? argv[1] : MakeScratchFolder("demo");
    const bool screenshot = argc > 2 && std::string(argv[2]) == "--screenshot";
    ::CoInitialize(nullptr);
    int result = 1;
    try {
        result = RunDemo(remote, folder, screenshot);
    } catch (const std::exception& error) {
        Say("The demo stopped: %s\n", error.what());
    }
    ::CoUninitialize();
    return result;
}
