// What VantrelRemote.exe costs the machine, measured from outside on the
// program as it ships, each figure against a baseline taken in the same run:
//
// 1. Start-up to ready (the jukebox has RegisterWindow and command 203),
//    against StartUpBaseline.exe, which only initialises COM, creates the
//    jukebox link and registers a window (goal: within 1.5 times), with the
//    jukebox's server already running and with the server started by the
//    program's own call. Medians of alternating runs.
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
#include "JukeboxControl.h"
#include "ProcessFigures.h"
#include "ProgramRun.h"
#include "jukebox/JukeboxEventMessage.h"
#include "module/ModuleMemoryMap.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

constexpr int kWarmRuns = 9;
constexpr int kColdRuns = 5;
constexpr DWORD kIdleMilliseconds = 30000;
constexpr char kBaseline[] = "StartUpBaseline.exe";
constexpr char kBaselineClass[] = "VantrelStartUpBaseline";
constexpr char kProgram[] = "VantrelRemote.exe";
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

bool IsProgram(const std::string& program)
{
    return program == kProgram;
}

// The window by its class, for the program as for the baseline: one cheap
// look, so that watching for it costs both the same.
HWND FindWindowOf(const ProgramRun& run, const std::string& program)
{
    const HWND window = ::FindWindowA(IsProgram(program) ? kMainWindowClass : kBaselineClass, nullptr);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    return owner == run.ProcessId() ? window : nullptr;
}

// Looks at start-up are spaced out: every look at the window or the journal
// also costs the jukebox's server and the machine, while the program starts.
// The times themselves come from the journal, so spacing loses nothing.
constexpr DWORD kStartUpLookMs = 25;

// A program as the benchmark runs it: started, its window found, closed with
// WM_CLOSE as any other program would close it.
class Run
{
public:
    explicit Run(const std::string& program) : m_program(program), m_run("", "", program) {}
    ~Run() { Close(); }

    // The window, looked for until it shows or the program ends; with a
    // look interval, one look after that long.
    HWND Window(DWORD lookMs = 0)
    {
        if (m_window == nullptr && lookMs > 0) {
            ::Sleep(lookMs);
            m_window = FindWindowOf(m_run, m_program);
        } else if (m_window == nullptr) {
            WaitUntil([&] { return (m_window = FindWindowOf(m_run, m_program)) != nullptr || m_run.HasExited(); });
        }
        return m_window;
    }
    void Close()
    {
        if (m_run.HasExited())
            return;
        if (Window() != nullptr)
            ::SendMessageTimeoutA(m_window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, nullptr);
        m_run.WaitForExit();
    }
    const ProgramRun& Process() const { return m_run; }
    const std::string& Program() const { return m_program; }

private:
    std::string m_program;
    ProgramRun m_run;
    HWND m_window = nullptr;
};

// The journal entry that marks the end of start-up: the program's command
// 203, the baseline's RegisterWindow.
bool IsReady(const std::string& program, const JournalEntry& entry)
{
    return IsProgram(program) ? entry.operation == "SendCommandWithData" && entry.number == 203
                              : entry.operation == "RegisterWindow";
}

// One start-up: milliseconds from CreateProcess to each call the jukebox
// received, up to the ready call (the last); empty when that did not come.
using StartUp = std::vector<std::pair<std::string, double>>;

// jukebox is null when the server must not run yet: the connection to it is
// made once the program's window shows that its own call started the server.
StartUp MeasureOneStartUp(const std::string& program, JukeboxControl* jukebox)
{
    std::unique_ptr<JukeboxControl> ownConnection;
    if (jukebox != nullptr)
        jukebox->ClearJournal();
    const double start = NowMicroseconds();
    Run run(program);
    if (jukebox == nullptr) {
        while (run.Window(kStartUpLookMs) == nullptr) {
            if (run.Process().HasExited())
                return {};
        }
        ownConnection = std::make_unique<JukeboxControl>();
        jukebox = ownConnection.get();
    }
    // Only the entries not yet seen are fetched, so that the server answers
    // few calls of ours while it serves the program's.
    std::vector<JournalEntry> journal;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    auto ready = journal.end();
    while (ready == journal.end() && std::chrono::steady_clock::now() < limit) {
        ::Sleep(kStartUpLookMs);
        if (jukebox->JournalCount() > static_cast<long>(journal.size())) {
            const std::vector<JournalEntry> more = jukebox->Journal(static_cast<long>(journal.size()));
            journal.insert(journal.end(), more.begin(), more.end());
        }
        ready = std::find_if(journal.begin(), journal.end(),
                             [&](const JournalEntry& entry) { return IsReady(program, entry); });
    }
    StartUp steps;
    if (ready == journal.end())
        return steps;
    for (auto entry = journal.begin(); entry <= ready; ++entry) {
        const long index = static_cast<long>(entry - journal.begin());
        steps.emplace_back(entry->operation, (jukebox->JournalTime(index) - start) / 1000);
    }
    // Our connection goes first, so that the server can end after the run.
    ownConnection.reset();
    run.Close();
    return steps;
}

// The median time to the ready call; with steps, also the median time to
// each call of the first run before it, where every run made the same calls.
double MedianStartUp(const std::vector<StartUp>& runs, bool steps)
{
    std::vector<double> ready;
    for (const StartUp& run : runs)
        ready.push_back(run.empty() ? -1 : run.back().second);
    if (!steps || runs.empty() || runs.front().empty())
        return Median(ready);
    for (std::size_t step = 0; step + 1 < runs.front().size(); ++step) {
        std::vector<double> times;
        for (const StartUp& run : runs) {
            if (run.size() == runs.front().size() && run[step].first == runs.front()[step].first)
                times.push_back(run[step].second);
        }
        std::printf("      %-24s %8.1f ms (median of %zu)\n", runs.front()[step].first.c_str(), Median(times),
                    times.size());
    }
    return Median(ready);
}

void ReportStartUp(const char* situation, const char* goalName, const std::vector<StartUp>& program,
                   const std::vector<StartUp>& baseline)
{
    std::printf("  %s, medians of %zu runs each; the calls on the way, the program's:\n", situation,
                program.size());
    const double programMs = MedianStartUp(program, true);
    std::printf("    the baseline's:\n");
    const double baselineMs = MedianStartUp(baseline, true);
    const double ratio = baselineMs > 0 ? programMs / baselineMs : 0;
    std::printf("    VantrelRemote.exe  %8.1f ms\n    baseline           %8.1f ms\n    ratio              %8.2f\n",
                programMs, baselineMs, ratio);
    Goal(goalName, Format("%.2f x baseline", ratio), "at most 1.5 x baseline",
         programMs > 0 && baselineMs > 0 && ratio <= 1.5);
}

void MeasureStartUp(std::unique_ptr<JukeboxControl>& jukebox)
{
    std::printf("Start-up to ready (from CreateProcess to the jukebox receiving command 203; the baseline's\n"
                "RegisterWindow), no remote plugged:\n");
    std::vector<StartUp> program, baseline;
    for (int run = 0; run < kWarmRuns; ++run) {
        program.push_back(MeasureOneStartUp(kProgram, jukebox.get()));
        baseline.push_back(MeasureOneStartUp(kBaseline, jukebox.get()));
    }
    ReportStartUp("jukebox server already running", "startup_jukebox_running", program, baseline);

    jukebox.reset();
    program.clear();
    baseline.clear();
    for (int run = 0; run < kColdRuns; ++run) {
        for (const char* which : {kProgram, kBaseline}) {
            // The server ends some 3 s after its last client.
            if (!WaitUntil([] { return !JukeboxServerRuns(); }, std::chrono::seconds(60))) {
                std::printf("  the jukebox's server did not end: no figure with the server started by the call\n");
                return;
            }
            (IsProgram(which) ? program : baseline).push_back(MeasureOneStartUp(which, nullptr));
        }
    }
    ReportStartUp("jukebox server started by the call", "startup_jukebox_started", program, baseline);
    jukebox = std::make_unique<JukeboxControl>();
}

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

void MeasureMemory(RemoteSimulator& remote, SimulatedDeviceId device, const JukeboxControl& jukebox)
{
    const int stream = StreamLength();
    // The baseline registers first: the jukebox posts to the window that
    // registered last, the program's.
    jukebox.ClearJournal();
    Run baseline(kBaseline);
    baseline.Window();
    jukebox.WaitForOperation("RegisterWindow");
    Run program(kProgram);
    const HWND window = program.Window();
    if (window == nullptr || baseline.Window() == nullptr || !WaitUntil([&] { return remote.Connections(device) > 0; }) ||
        !WaitUntil([] { return RzmbBlockCount() > 0; })) {
        std::printf("  the program did not start with its remote\n");
        return;
    }
    jukebox.WaitForEntry([](const JournalEntry& entry) { return entry.number == 203; });
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
