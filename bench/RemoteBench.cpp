// What the remote's way into the program costs, measured on VantrelRemote.exe
// as it ships, with a simulated remote, our module library and the reference
// jukebox; each figure against a baseline measured in the same run.
//
// 1. Latency from the simulator writing a report to the jukebox receiving its
//    command, against DirectReader.exe, which reads the same device and calls
//    the jukebox from its reading thread (goals: median within 1.1 times, 99th
//    percentile within 1.5 times the baseline's). Beside them, for reference,
//    DirectReader.exe posting: its reading thread posts each command to a
//    window thread that calls the jukebox, the hand-over the program makes and
//    nothing else. Every press's latency goes to remote-latency.dat.
// 2. The rate at which the reader takes and dispatches reports: a burst of
//    key 34, whose action writes the module at once on the reader thread
//    (goal: at least 1,000 reports per second).
// 3. The sustained rate of commands reaching the jukebox from a backlog of
//    reports, against bare SendCommand calls (goal: at least 0.9 of it).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "BenchReport.h"
#include "BenchSamples.h"
#include "JukeboxContract.h"
#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "framework/ComPtr.h"
#include "module/ModuleMemoryMap.h"
#include "standins/remotesim/RemoteSimulator.h"
#include "standins/rzmb/RzmbControl.h"

namespace {

constexpr int kWarmUpPresses = 20;
constexpr int kLatencyPresses = 400;
constexpr int kBurstReports = 3000;
constexpr int kBurstCommands = 1000;
constexpr int kCommandRounds = 5;
// Key 10 asks for command 3 (stop); the stopped player reports nothing back,
// so only the command itself is timed.
constexpr std::uint8_t kCommandKey = 10;
constexpr long kCommandOfKey = 3;
constexpr std::uint8_t kEchoKey = 34;
constexpr double kMedianLimit = 1.1;
constexpr double kP99Limit = 1.5;
constexpr double kCommandShare = 0.9;

void Goal(const char* name, double value, const char* unit, const char* comparison, double target, bool met)
{
    ::Goal(name, Format("%.3g", value) + unit, comparison + (" " + Format("%.3g", target)) + unit, met);
}

// One press, waited for: the time from the report's write to the jukebox's
// journal entry of its command; negative when it did not arrive.
double OneLatency(RemoteSimulator& remote, SimulatedDeviceId device, const JukeboxControl& jukebox)
{
    const long before = jukebox.JournalCount();
    if (!remote.Press(device, kCommandKey) || !WaitUntil([&] { return jukebox.JournalCount() > before; }))
        return -1;
    return jukebox.JournalTime(before) - remote.LastReportMicroseconds();
}

// The remotes of the three readers, and each one's latencies.
struct Reader
{
    const char* name;
    SimulatedDeviceId device;
    std::vector<double> latencies;
};

// Press after press, in turn on each reader's remote, so that all see the
// same machine.
void MeasureLatencies(RemoteSimulator& remote, std::vector<Reader>& readers, const JukeboxControl& jukebox)
{
    for (int press = 0; press < kWarmUpPresses + kLatencyPresses; ++press) {
        for (Reader& reader : readers) {
            const double latency = OneLatency(remote, reader.device, jukebox);
            if (latency < 0) {
                std::printf("  press %d: the %s command did not reach the jukebox; latencies end here\n", press,
                            reader.name);
                return;
            }
            if (press >= kWarmUpPresses)
                reader.latencies.push_back(latency);
        }
    }
}

// A row per round of presses: each reader's microseconds, in their order.
void WriteSamples(const std::vector<Reader>& readers)
{
    std::ofstream samples = SamplesFile("remote-latency.dat");
    samples << "# microseconds from the report's write to the command's arrival:";
    for (const Reader& reader : readers)
        samples << ' ' << reader.name << (&reader == &readers.back() ? "\n" : ",");
    const std::size_t rounds = readers.back().latencies.size();
    for (std::size_t press = 0; press < rounds; ++press) {
        for (const Reader& reader : readers)
            samples << reader.latencies[press] << (&reader == &readers.back() ? '\n' : ' ');
    }
}

long LinksCreated(const JukeboxControl& jukebox)
{
    const std::vector<JournalEntry> journal = jukebox.Journal();
    return static_cast<long>(std::count_if(journal.begin(), journal.end(), [](const JournalEntry& entry) {
        return entry.operation == "CreateJukeboxLink";
    }));
}

// Starts DirectReader.exe on device (mode "" or " posting"); it ends when the
// device is unplugged. Null unless it got its link and opened its remote: one
// reader is set up at a time, and the first press finds it ready.
std::unique_ptr<ProgramRun> StartDirectReader(RemoteSimulator& remote, SimulatedDeviceId device,
                                              const std::string& mode, const JukeboxControl& jukebox)
{
    const long links = LinksCreated(jukebox);
    auto reader = std::make_unique<ProgramRun>(
        "\"" + remote.DevicePath(device) + "\" " + std::to_string(SimulatedDeviceSpec().inputReportLength) + mode, "",
        "DirectReader.exe");
    if (!reader->Started() ||
        !WaitUntil([&] { return LinksCreated(jukebox) > links && remote.Connections(device) > 0; }))
        return nullptr;
    return reader;
}

// Commands per second between the first and the last of count journal
// entries from first on.
double JournalRate(const JukeboxControl& jukebox, long first, int count)
{
    if (!WaitUntil([&] { return jukebox.JournalCount() >= first + count; }, std::chrono::minutes(2)))
        return 0;
    const double seconds = (jukebox.JournalTime(first + count - 1) - jukebox.JournalTime(first)) / 1e6;
    return seconds > 0 ? (count - 1) / seconds : 0;
}

double BareCommandRate(const JukeboxControl& jukebox)
{
    ComPtr<IJukeboxLink> link;
    if (FAILED(::CoCreateInstance(__uuidof(JukeboxLink), nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IJukeboxLink),
                                  link.ReleaseAndGetAddressOf())))
        return 0;
    const long first = jukebox.JournalCount();
    for (int call = 0; call < kBurstCommands; ++call) {
        LONG sent = 0;
        link->SendCommand(0, kCommandOfKey, &sent);
    }
    return JournalRate(jukebox, first, kBurstCommands);
}

std::vector<std::uint8_t> KeyReport(std::uint8_t code)
{
    std::vector<std::uint8_t> report(SimulatedDeviceSpec().inputReportLength, 0);
    report[2] = code;
    return report;
}

// count reports held back, then let go at once: the reports per second from
// their release until done() shows the last one handled.
template <class Done>
double Burst(RemoteSimulator& remote, SimulatedDeviceId device, std::uint8_t code, int count, Done done)
{
    remote.Stall(device, true);
    for (int i = 0; i < count; ++i)
        remote.SendReport(device, KeyReport(code));
    const double start = NowMicroseconds();
    remote.Stall(device, false);
    if (!WaitUntil(done, std::chrono::minutes(2)))
        return 0;
    return count / ((NowMicroseconds() - start) / 1e6);
}

struct CommandRound
{
    double overallRate = 0;    // from the release to the last command
    double sustainedRate = 0;  // once the reader had taken every report
    int readerDoneAt = 0;      // commands that had arrived by then
};

// A backlog of key 10's reports let go at once. The jukebox is asked for its
// count only every 50 ms, so that the bench's own calls hardly compete with
// the commands it times; the reader's progress is watched at the simulator.
CommandRound RunCommandRound(RemoteSimulator& remote, SimulatedDeviceId device, const JukeboxControl& jukebox)
{
    constexpr int kWatchesPerCount = 10;
    constexpr int kLeastSustained = kBurstCommands / 4;
    CommandRound round;
    const long first = jukebox.JournalCount();
    remote.Stall(device, true);
    for (int i = 0; i < kBurstCommands; ++i)
        remote.SendReport(device, KeyReport(kCommandKey));
    const double start = NowMicroseconds();
    remote.Stall(device, false);
    bool readerDone = false;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    for (int watch = 1;; ++watch) {
        if (!readerDone && remote.UnreadReports(device) == 0) {
            readerDone = true;
            round.readerDoneAt = static_cast<int>(jukebox.JournalCount() - first);
        }
        if (watch % kWatchesPerCount == 0 && jukebox.JournalCount() >= first + kBurstCommands)
            break;
        if (std::chrono::steady_clock::now() >= limit)
            return round;
        ::Sleep(5);
    }
    round.overallRate = kBurstCommands / ((NowMicroseconds() - start) / 1e6);
    // The second half, or what came after the reader was done if that is
    // later; a reader that finished too late to leave a quarter of the round
    // leaves only its last quarter.
    const int from = std::min(std::max(kBurstCommands / 2, round.readerDoneAt), kBurstCommands - kLeastSustained);
    round.sustainedRate = JournalRate(jukebox, first + from, kBurstCommands - from);
    return round;
}

int RunBench()
{
    const std::string instance = "bench-remote-" + std::to_string(::GetCurrentProcessId());
    ::SetEnvironmentVariableA(RZMB_INSTANCE_VARIABLE, instance.c_str());
    RemoteSimulator remote(instance);
    RzmbReset();
    JukeboxControl jukebox;
    if (!jukebox.Connected()) {
        std::fprintf(stderr, "the reference jukebox is not registered\n");
        return 1;
    }

    const SimulatedDeviceId programs = remote.Plug();
    ProgramRun program("", "");
    const HWND window = program.WaitForMainWindow();
    // The direct readers' remotes come once the program has chosen its own
    // and is ready.
    const auto ready = [](const JournalEntry& entry) { return entry.number == 203; };
    const std::vector<JournalEntry> started = jukebox.WaitForEntry(ready);
    const bool programReads = std::any_of(started.begin(), started.end(), ready) &&
                              WaitUntil([&] { return remote.Connections(programs) > 0; });
    const SimulatedDeviceId directs = remote.Plug();
    const SimulatedDeviceId postings = remote.Plug();
    const std::unique_ptr<ProgramRun> directReader = StartDirectReader(remote, directs, "", jukebox);
    const std::unique_ptr<ProgramRun> postingReader = StartDirectReader(remote, postings, " posting", jukebox);
    if (window == nullptr || !programReads || !directReader || !postingReader) {
        std::fprintf(stderr, "the program or a direct reader did not start with its remote\n");
        return 1;
    }
    std::vector<Reader> readers{{"VantrelRemote.exe", programs, {}},
                                {"direct reader", directs, {}},
                                {"posting direct reader", postings, {}}};
    MeasureLatencies(remote, readers, jukebox);
    WriteSamples(readers);
    // A direct reader's read fails when its remote goes, and it ends.
    remote.Unplug(directs, false);
    remote.Unplug(postings, false);
    directReader->WaitForExit();
    postingReader->WaitForExit();

    const std::vector<std::uint8_t> parameter{0x05};
    RzmbPokeMemory(ModuleMap::KeyParameter, 1, parameter.data());
    const std::uint32_t writes = RzmbSetMemCount();
    const double readerRate = Burst(remote, programs, kEchoKey, kBurstReports,
                                    [&] { return RzmbSetMemCount() >= writes + kBurstReports; });
    // Key 10 held down faster than the jukebox takes its commands: a
    // backlog of reports let go at once. The sustained rate is taken once
    // the reader has taken every report and only the hand-over to the
    // jukebox is left (over the second half of the commands at the
    // earliest). Rounds alternate with the bare calls, and the medians are
    // compared, as the machine's load comes and goes.
    std::vector<double> bareRates, commandRates, overallRates, readerDone;
    long arrived = 0;
    for (int round = 0; round < kCommandRounds; ++round) {
        bareRates.push_back(BareCommandRate(jukebox));
        const long first = jukebox.JournalCount();
        const CommandRound commands = RunCommandRound(remote, programs, jukebox);
        overallRates.push_back(commands.overallRate);
        commandRates.push_back(commands.sustainedRate);
        readerDone.push_back(commands.readerDoneAt);
        arrived += jukebox.JournalCount() - first;
    }
    const double bareRate = Percentile(bareRates, 0.5);
    const double commandRate = Percentile(commandRates, 0.5);
    const double overall = Percentile(overallRates, 0.5);
    ::SendMessageA(window, WM_CLOSE, 0, 0);
    program.WaitForExit();

    const std::vector<double>& programLatencies = readers[0].latencies;
    const std::vector<double>& directLatencies = readers[1].latencies;
    const double baseMedian = Percentile(directLatencies, 0.5), baseP99 = Percentile(directLatencies, 0.99);
    const double median = Percentile(programLatencies, 0.5), p99 = Percentile(programLatencies, 0.99);
    std::printf("Remote to jukebox: from the report's write to the command's arrival, %zu presses each\n"
                "(after %d to warm up), in turn on each reader's remote:\n",
                directLatencies.size(), kWarmUpPresses);
    for (const Reader& reader : readers)
        std::printf("  %-22s median %7.0f us   p99 %7.0f us   ratio to the direct reader %.2f and %.2f\n",
                    reader.name, Percentile(reader.latencies, 0.5), Percentile(reader.latencies, 0.99),
                    Percentile(reader.latencies, 0.5) / baseMedian, Percentile(reader.latencies, 0.99) / baseP99);
    const std::vector<double>& postingLatencies = readers[2].latencies;
    std::printf("  VantrelRemote.exe against the posting reader (its own cost beyond the hand-over): median %.2f,"
                " p99 %.2f\n",
                median / Percentile(postingLatencies, 0.5), p99 / Percentile(postingLatencies, 0.99));
    std::printf("Reader: %d reports of key 34 let go at once: %.0f reports/s\n", kBurstReports, readerRate);
    std::printf("Commands: %d rounds of %d reports of key %d let go at once, %ld of %d commands arrived (%s);\n"
                "  the reader had taken every report when %.0f commands had arrived (median); medians %.0f/s\n"
                "  over all, %.0f/s sustained after that (the second half at the earliest); bare SendCommand\n"
                "  calls from one client: %.0f/s; ratio %.2f\n",
                kCommandRounds, kBurstCommands, kCommandKey, arrived, kCommandRounds * kBurstCommands,
                arrived == kCommandRounds * kBurstCommands ? "none lost" : "NOT all", Median(readerDone), overall,
                commandRate, bareRate, bareRate > 0 ? commandRate / bareRate : 0);
    const auto latencyGoal = [](const char* name, double value, double limit, double baseline) {
        ::Goal(name, Format("%.3g ms", value / 1000),
               Format("%.1f x direct reader ", limit) + Format("%.3g ms", baseline / 1000) +
                   Format(" = %.3g ms", limit * baseline / 1000),
               value > 0 && value <= limit * baseline);
    };
    latencyGoal("remote_latency_median", programLatencies.empty() ? 0 : median, kMedianLimit, baseMedian);
    latencyGoal("remote_latency_p99", programLatencies.empty() ? 0 : p99, kP99Limit, baseP99);
    Goal("reader_reports_per_second", readerRate, "/s", "at least", 1000, readerRate >= 1000);
    ::Goal("commands_per_second", Format("%.3g/s", commandRate),
           Format("%.1f x bare ", kCommandShare) + Format("%.3g/s", bareRate) +
               Format(" = %.3g/s", kCommandShare * bareRate),
           bareRate > 0 && commandRate >= kCommandShare * bareRate);
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
