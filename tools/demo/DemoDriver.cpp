// The demo: runs VantrelRemote.exe in debug mode beside the reference
// jukebox and our module library, drives it from outside as another program
// would, and prints what the jukebox and the module received and what the
// program logged.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "module/ModuleMemoryMap.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

void PrintJournal(const JukeboxControl& jukebox, long from)
{
    for (const JournalEntry& entry : jukebox.Journal(from))
        std::printf("  jukebox received: %s\n", Describe(entry).c_str());
}

size_t Count(const std::vector<JournalEntry>& journal, const char* operation)
{
    return static_cast<size_t>(std::count_if(journal.begin(), journal.end(),
                                             [&](const JournalEntry& entry) { return entry.operation == operation; }));
}

void PrintBytes(const std::uint8_t* bytes, std::uint32_t length)
{
    for (std::uint32_t at = 0; at < length && at < RZMB_RECORDED_BYTES; ++at)
        std::printf(" %02x", bytes[at]);
    std::printf("\n");
}

// Prints every read of the module's memory so far.
void PrintModuleReads()
{
    const std::uint32_t count = RzmbGetMemCount();
    for (std::uint32_t index = 0; index < count; ++index) {
        RzmbGetMemEntry read{};
        if (RzmbGetMemAt(index, &read))
            std::printf("  module memory read: %u byte(s) at %04x\n", read.length, read.address);
    }
}

// Prints the blocks the module took since block number from; returns the
// number of blocks taken so far.
std::uint32_t PrintModuleBlocks(std::uint32_t from)
{
    const std::uint32_t count = RzmbBlockCount();
    for (std::uint32_t index = from; index < count; ++index) {
        RzmbBlockEntry block{};
        if (!RzmbBlockAt(index, &block))
            continue;
        std::printf("  module received block:");
        PrintBytes(block.bytes, block.length);
    }
    return count;
}

// Prints the module memory writes since write number from; returns the
// number of writes so far.
std::uint32_t PrintModuleWrites(std::uint32_t from)
{
    const std::uint32_t count = RzmbSetMemCount();
    for (std::uint32_t index = from; index < count; ++index) {
        RzmbSetMemEntry write{};
        if (!RzmbSetMemAt(index, &write))
            continue;
        std::printf("  module memory write at %04x:", write.address);
        PrintBytes(write.bytes, write.length);
    }
    return count;
}

bool WaitForModuleBlocks(std::uint32_t count)
{
    return WaitUntil([&] { return RzmbBlockCount() >= count; });
}

bool WaitForModuleReads(std::uint32_t count)
{
    return WaitUntil([&] { return RzmbGetMemCount() >= count; });
}

void Step(const char* text)
{
    std::printf("\n== %s\n", text);
}

// What the remote does, step by step: each key with what reached the jukebox
// and the module.
struct RemoteSession
{
    RemoteSimulator& remote;
    const JukeboxControl& jukebox;
    HWND window;
    long seen;
    std::uint32_t writesSeen;

    // Waits until the jukebox and the module have been quiet for a moment
    // (what a command sets off is a few events and blocks), then prints what
    // they received.
    void Settle()
    {
        long calls = 0;
        std::uint32_t writes = 0;
        auto quietSince = std::chrono::steady_clock::now();
        WaitUntil([&] {
            const long nowCalls = jukebox.JournalCount();
            const std::uint32_t nowWrites = RzmbSetMemCount();
            if (nowCalls != calls || nowWrites != writes) {
                calls = nowCalls;
                writes = nowWrites;
                quietSince = std::chrono::steady_clock::now();
            }
            return std::chrono::steady_clock::now() - quietSince > std::chrono::milliseconds(300);
        }, std::chrono::seconds(5));
        PrintJournal(jukebox, seen);
        seen = jukebox.JournalCount();
        writesSeen = PrintModuleWrites(writesSeen);
    }

    void Press(SimulatedDeviceId device, std::uint8_t code, const char* name,
               const std::vector<std::uint8_t>& parameter = {})
    {
        std::printf("  key %u (%s)\n", code, name);
        remote.Press(device, code, parameter);
        Settle();
    }

    SimulatedDeviceId PlugIn()
    {
        const SimulatedDeviceId device = remote.Plug();
        remote.AnnounceArrival(window, device);
        Settle();
        return device;
    }

    void Unplug(SimulatedDeviceId device)
    {
        remote.Unplug(device);
        remote.AnnounceRemoval(window, device);
        Settle();
    }
};

void RunRemote(RemoteSimulator& remote, const JukeboxControl& jukebox, HWND window)
{
    RemoteSession session{remote, jukebox, window, jukebox.JournalCount(), RzmbSetMemCount()};

    Step("Plugging the remote in: the program connects it and tells the jukebox (command 204)");
    SimulatedDeviceId device = session.PlugIn();

    Step("Keys on the remote: blocks on, play, next track, volume up, and the query for the title");
    session.Press(device, 35, "switch module blocks on", {0x01});
    session.Press(device, 1, "play");
    session.Press(device, 4, "next track");
    session.Press(device, 5, "volume up");
    session.Press(device, 66, "title?");

    Step("Unplugging the remote, then plugging it back in");
    session.Unplug(device);
    device = session.PlugIn();
    session.Press(device, 35, "switch module blocks on", {0x01});
    session.Press(device, 2, "pause");
    session.Unplug(device);
}

int RunDemo(RemoteSimulator& remote, const std::string& folder)
{
    JukeboxControl jukebox;
    if (!jukebox.Connected()) {
        std::printf("The reference jukebox is not registered.\n");
        return 1;
    }
    jukebox.ClearJournal();
    // The module's switch allows writes, so the program will send it blocks.
    RzmbReset();
    const unsigned char writesAllowed = 0x01;
    RzmbPokeMemory(ModuleMap::KeyParameter, 1, &writesAllowed);

    Step("Starting VantrelRemote.exe -debug");
    ProgramRun run("-debug", folder);
    HWND window = run.WaitForMainWindow();
    if (window == nullptr) {
        std::printf("The program did not start.\n");
        return 1;
    }
    WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; });
    std::printf("  main window %p is %s\n", static_cast<void*>(window), ::IsWindowVisible(window) ? "shown" : "hidden");
    jukebox.WaitForEntry([](const JournalEntry& entry) { return entry.number == 203; });
    PrintJournal(jukebox, 0);
    long seen = jukebox.JournalCount();
    // The program reads the module's write switch as it starts.
    WaitForModuleReads(1);
    PrintModuleReads();
    std::uint32_t blocksSeen = RzmbBlockCount();

    RunRemote(remote, jukebox, window);
    seen = jukebox.JournalCount();
    blocksSeen = RzmbBlockCount();

    Step("Posting 1000 foreign command messages with random parameters (the program ignores them)");
    std::mt19937 random(7);
    for (int i = 0; i < 1000; ++i)
        ::PostMessageA(window, WM_APP + 1, random(), static_cast<LPARAM>(random()));
    std::printf("  still running: %s\n", run.HasExited() ? "no" : "yes");

    Step("Hiding the window with Esc's command, showing it again with WM_APP+2");
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    std::printf("  after Esc: %s\n", ::IsWindowVisible(window) ? "shown" : "hidden");
    ::PostMessageA(window, WM_APP + 2, 0, 0);
    WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; });
    std::printf("  after WM_APP+2: %s\n", ::IsWindowVisible(window) ? "shown" : "hidden");

    Step("The jukebox restarts (closed, launched), then reports playing and a position of 1:23");
    jukebox.RestartPlayer();
    jukebox.PostEvent(2, L"playing");
    jukebox.PostEvent(109, L"83000");
    // Four texts fetched, and the setting sent again after "launched".
    WaitUntil([&] {
        const auto journal = jukebox.Journal(seen);
        return Count(journal, "GetEventData") >= 4 && Count(journal, "SendCommandWithData") >= 1;
    });
    PrintJournal(jukebox, seen);
    seen = jukebox.JournalCount();
    // What each event tells the module: closed, launched, playing, position.
    WaitForModuleBlocks(blocksSeen + 4);
    blocksSeen = PrintModuleBlocks(blocksSeen);

    Step("Asking the module for its hardware id (the Query Hardware ID button)");
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), 0);
    WaitForModuleBlocks(blocksSeen + 1);
    blocksSeen = PrintModuleBlocks(blocksSeen);

    Step("Saving the event log (the Save button)");
    const std::string path = folder + "\\VantrelRemote.log";
    ::DeleteFileA(path.c_str());
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(1003, BN_CLICKED), 0);
    std::string log;
    WaitUntil([&] { return ReadWholeFile(path, log) && !log.empty(); });
    std::printf("%s", log.c_str());
    PrintJournal(jukebox, seen);
    seen = jukebox.JournalCount();

    Step("Closing the program with WM_CLOSE");
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    run.WaitForExit();
    std::printf("  exit code %lu\n", run.ExitCode());
    PrintJournal(jukebox, seen);
    return run.ExitCode() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    // A module and a remote of the demo's own, shared with the program it
    // starts.
    ::SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, "demo");
    RemoteSimulator remote("demo");
    const std::string folder = argc > 1 ? argv[1] : MakeScratchFolder("demo");
    ::CoInitialize(nullptr);
    const int result = RunDemo(remote, folder);
    ::CoUninitialize();
    return result;
}
