// What VantrelRemote.exe costs the machine, measured from outside on the
// program as it ships, each figure against a baseline taken in the same run:
//
// 1. Start-up to ready, against StartUpBaseline.exe, which makes the same
//    jukebox calls (StartUpFigures.h).
// 2. Processor time while idle for 30 s, without a remote and with a remote
//    that sends nothing, beside the baseline idling in the same 30 s (goals:
//    under 1% and under 0.5% of one core).
// 3. Private bytes and handles after start-up, once warm, and after a stream
//    of keys and jukebox events (goal: no growth beyond 1% once warm, the
//    same handle count).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BenchReport.h"
#include "BenchRun.h"
#include "JukeboxControl.h"
#include "ProcessFigures.h"
#include "StartUpFigures.h"
#include "jukebox/JukeboxEventMessage.h"
#include "module/ModuleMemoryMap.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

constexpr DWORD kIdleMilliseconds = 30000;
// The stream for the memory figures; VANTREL_BENCH_STREAM makes it shorter
// for a quick look.
constexpr int kDefaultStream = 100000;
constexpr int kWarmUpShare = 10;  // a tenth of the stream warms up first
constexpr int kKeyBatch = 1000;
constexpr int kEventsInFlight = 500;
// An event number no handler knows: the program fetches its text and logs it.
constexpr long kPlainEvent = 3000;
// The volume answer, whose handler writes a block to the module.
constexpr long kVolumeEvent = 12;

// Processor time of the program and the baseline over the same 30 s, in
// percent of one core.
void MeasureIdle(const char* situation, const char* goalName, double goalPercent)
{
    Run program(kProgram), baseline(kBaseline);
    const bool started = program.Window() != nullptr && baseline.Window() != nullptr;
    // Start-up done: its last work, the start block, reached the module.
    if (!started || !WaitUntil([] { return RzmbBlockCount() > 0; })) {
        std::printf("  %s: the program did not start\n", situation);
        return;
    }
    ::Sleep(1000);  // let the start-up's last messages settle before the window opens
    const auto processor = [&](const Run& run, const char* name) {
        return ProcessorMicroseconds(run.Process().Process(), name);
    };
    const ProcessFigure before[] = {processor(program, kProgram), processor(baseline, kBaseline)};
    const double start = NowMicroseconds();
    ::Sleep(kIdleMilliseconds);
    const double elapsed = NowMicroseconds() - start;
    const ProcessFigure after[] = {processor(program, kProgram), processor(baseline, kBaseline)};
    const auto percent = [&](int which) {
        return 100.0 * (static_cast<double>(after[which].value) - static_cast<double>(before[which].value)) / elapsed;
    };
    const double programPercent = percent(0), baselinePercent = percent(1);
    std::printf("  %s, %.1f s (from %s): VantrelRemote.exe %.3f%%, baseline %.3f%% of one core", situation,
                elapsed / 1e6, after[0].source, programPercent, baselinePercent);
    if (baselinePercent > 0)
        std::printf(", ratio %.1f", programPercent / baselinePercent);
    std::printf("\n    (processor time comes in ticks of 10 ms: one tick over 30 s is 0.033%%)\n");
    Goal(goalName, Format("%.3f%% of one core", programPercent),
         Format("under %.1f%%", goalPercent), programPercent < goalPercent);
}

struct Footprint
{
    ProcessFigure privateBytes;
    ProcessFigure handles;
};

Footprint FootprintOf(const ProgramRun& run)
{
    return {PrivateBytes(run.Process()), HandleCount(run.Process(), run.ProcessId())};
}

void PrintFootprint(const char* when, const Footprint& figures)
{
    std::printf("  %-34s %9.1f KiB private  %4llu handles\n", when,
                static_cast<double>(figures.privateBytes.value) / 1024.0,
                static_cast<unsigned long long>(figures.handles.value));
}

// The key of an event text stored in the jukebox, from the program's
// GetEventData for it; 0 when it did not come.
long StoredEventKey(const JukeboxControl& jukebox, long number, const std::wstring& text)
{
    const long first = jukebox.JournalCount();
    if (!jukebox.PostEvent(number, text) ||
        !WaitUntil([&] { return jukebox.JournalCount() > first; }))
        return 0;
    for (const JournalEntry& entry : jukebox.Journal(first)) {
        if (entry.operation == "GetEventData")
            return entry.number;
    }
    return 0;
}

// keys reports (batches of mostly key 34, the echo the reader writes to the
// module itself, with some key 10, a command to the jukebox, and key 81, a
// block) and events jukebox events posted as the jukebox posts them, with
// stored texts (one in fifty the volume answer, which writes a block, the
// rest a plain event), both at once; true when all of them were handled.
bool Stream(RemoteSimulator& remote, SimulatedDeviceId device, HWND window, const JukeboxControl& jukebox,
            int count, long plainKey, long volumeKey)
{
    const UINT eventMessage = ::RegisterWindowMessageA(kJukeboxEventMessageName);
    const long journalStart = jukebox.JournalCount();
    int keys = 0, commands = 0, events = 0;
    while (keys < count || events < count) {
        if (keys < count && remote.UnreadReports(device) < kKeyBatch / 2) {
            const int batch = std::min(kKeyBatch, count - keys);
            const int others = batch / 100;
            remote.Hold(device, 34, static_cast<unsigned>(batch - 2 * others));
            remote.Hold(device, 10, static_cast<unsigned>(others));
            remote.Hold(device, 81, static_cast<unsigned>(others));
            keys += batch;
            commands += others;
        }
        const long handled = jukebox.JournalCount() - journalStart;
        for (; events < count && events + commands - handled < kEventsInFlight; ++events) {
            const bool volume = events % 50 == 0;
            ::PostMessageA(window, eventMessage, static_cast<WPARAM>(volume ? kVolumeEvent : kPlainEvent),
                           static_cast<LPARAM>(volume ? volumeKey : plainKey));
        }
        ::Sleep(1);
    }
    return WaitUntil([&] { return remote.UnreadReports(device) == 0 &&
                                  jukebox.JournalCount() - journalStart >= events + commands; },
                     std::chrono::minutes(5));
}

int StreamLength()
{
    const char* length = std::getenv("VANTREL_BENCH_STREAM");
    return length != nullptr ? std::max(kWarmUpShare, std::atoi(length)) : kDefaultStream;
}

// The command 203 that ends a start-up, from the program or the baseline
// whose window that is.
std::function<bool(const JournalEntry&)> IsSettingFrom(HWND window)
{
    const auto windowValue = static_cast<long>(reinterpret_cast<LONG_PTR>(window));
    return [windowValue](const JournalEntry& entry) {
        return entry.number == 203 && entry.windowHandle == windowValue;
    };
}

void MeasureMemory(RemoteSimulator& remote, SimulatedDeviceId device, const JukeboxControl& jukebox)
{
    const int stream = StreamLength();
    // The baseline registers first: the jukebox posts to the window that
    // registered last, the program's.
    jukebox.ClearJournal();
    Run baseline(kBaseline);
    baseline.Window();
    jukebox.WaitForEntry(IsSettingFrom(baseline.Window()));
    Run program(kProgram);
    const HWND window = program.Window();
    if (window == nullptr || baseline.Window() == nullptr || !WaitUntil([&] { return remote.Connections(device) > 0; }) ||
        !WaitUntil([] { return RzmbBlockCount() > 0; })) {
        std::printf("  the program did not start with its remote\n");
        return;
    }
    jukebox.WaitForEntry(IsSettingFrom(window));
    const Footprint started = FootprintOf(program.Process()), baselineFigures = FootprintOf(baseline.Process());
    const long plainKey = StoredEventKey(jukebox, kPlainEvent, L"plain");
    const long volumeKey = StoredEventKey(jukebox, kVolumeEvent, L"40");
    if (plainKey == 0 || volumeKey == 0) {
        std::printf("  the program fetched no event text\n");
        return;
    }
    const bool warmed = Stream(remote, device, window, jukebox, stream / kWarmUpShare, plainKey, volumeKey);
    const Footprint warm = FootprintOf(program.Process());
    const auto warmTypes = CountProcessHandlesByType(program.Process().ProcessId());
    const double start = NowMicroseconds();
    const bool streamed = Stream(remote, device, window, jukebox, stream, plainKey, volumeKey);
    const double seconds = (NowMicroseconds() - start) / 1e6;
    Footprint after = FootprintOf(program.Process());
    // A system thread may come or go meanwhile; a handle lost per key or
    // event would keep the count up.
    WaitUntil([&] { return (after = FootprintOf(program.Process())).handles.value <= warm.handles.value; },
              std::chrono::seconds(10));

    std::printf("Memory and handles (private bytes from %s; handles from %s), the remote plugged:\n",
                started.privateBytes.source, started.handles.source);
    PrintFootprint("baseline after start-up:", baselineFigures);
    PrintFootprint("VantrelRemote.exe after start-up:", started);
    std::printf("  ratio to the baseline after start-up: %.2f private bytes, %.2f handles\n",
                static_cast<double>(started.privateBytes.value) / static_cast<double>(baselineFigures.privateBytes.value),
                static_cast<double>(started.handles.value) / static_cast<double>(baselineFigures.handles.value));
    PrintFootprint(Format("warm (after %.0f keys and events):", stream / kWarmUpShare).c_str(), warm);
    PrintFootprint(Format("after %.0f more keys and events:", stream).c_str(), after);
    if (after.handles.value != warm.handles.value) {
        std::printf("  handles that came or went, by type:");
        auto afterTypes = CountProcessHandlesByType(program.Process().ProcessId());
        for (const auto& type : warmTypes)
            afterTypes[type.first];
        for (const auto& type : afterTypes) {
            const auto before = warmTypes.count(type.first) != 0 ? warmTypes.at(type.first) : 0;
            if (type.second != before)
                std::printf(" %s %+d", type.first.c_str(), static_cast<int>(type.second) - static_cast<int>(before));
        }
        std::printf("\n");
    }
    std::printf("  the stream: %d keys (98%% key 34, 1%% key 10, 1%% key 81) and %d jukebox events (2%% with a\n"
                "  block) at once, %.1f s, %s\n",
                stream, stream, seconds, warmed && streamed ? "all handled" : "NOT all handled");
    const double growth = 100.0 * (static_cast<double>(after.privateBytes.value) - static_cast<double>(warm.privateBytes.value)) /
                          static_cast<double>(warm.privateBytes.value);
    Goal("private_bytes_growth_once_warm", Format("%+.2f%%", growth), "at most +1%",
         warmed && streamed && growth <= 1.0);
    Goal("handles_growth_once_warm", Format("%+.0f", static_cast<double>(after.handles.value) - static_cast<double>(warm.handles.value)),
         "+0", warmed && streamed && after.handles.value <= warm.handles.value);
}

int RunBench()
{
    const std::string instance = "bench-program-" + std::to_string(::GetCurrentProcessId());
    ::SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, instance.c_str());
    RemoteSimulator remote(instance);
    RzmbReset();
    // Blocks are written: the start-up reads a non-zero switch.
    const unsigned char writesOn = 1;
    RzmbPokeMemory(ModuleMap::KeyParameter, 1, &writesOn);
    auto jukebox = std::make_unique<JukeboxControl>();
    if (!jukebox->Connected()) {
        std::fprintf(stderr, "the reference jukebox is not registered\n");
        return 1;
    }

    MeasureStartUp(jukebox);

    std::printf("Processor time while idle (GetProcessTimes), beside the baseline over the same time:\n");
    RzmbClearJournals();
    MeasureIdle("no remote", "idle_cpu_no_remote", 1.0);
    const SimulatedDeviceId device = remote.Plug();
    RzmbClearJournals();
    MeasureIdle("remote plugged, no keys", "idle_cpu_remote_present", 0.5);

    RzmbClearJournals();
    MeasureMemory(remote, device, *jukebox);
    return 0;
}

}  // namespace

int main()
{
    ::CoInitialize(nullptr);
    int result = 1;
    try {
        result = RunBench();
    } catch (...) {
        std::fprintf(stderr, "the benchmark failed\n");
    }
    ::CoUninitialize();
    return result;
}
