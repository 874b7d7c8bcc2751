#include "StartUpFigures.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BenchReport.h"
#include "BenchRun.h"
#include "BenchSamples.h"

namespace {

constexpr int kWarmRuns = 9;
constexpr int kColdRuns = 5;
constexpr double kWarmLimit = 1.2;
constexpr double kColdLimit = 1.5;

// The jukebox calls of a start-up in the order both programs make them, as
// the journal names them; the last one ends the start-up.
struct StartUpCall
{
    const char* operation;
    long number;  // the command's number; 0 for a call without one
    const char* label;
};
constexpr StartUpCall kCalls[] = {
    {"CreateJukeboxLink", 0, "link"},
    {"CreateJukeboxCompanion", 0, "companion"},
    {"RegisterWindow", 0, "RegisterWindow"},
    {"SendCommandWithData", 203, "command 203"},
};
constexpr std::size_t kCallCount = std::size(kCalls);

bool IsCall(const StartUpCall& call, const JournalEntry& entry)
{
    return entry.operation == call.operation && (call.number == 0 || entry.number == call.number);
}

// Looks at start-up are spaced out: every look at the window or the journal
// also costs the jukebox's server and the machine, while the program starts.
// The times themselves come from the journal, so spacing loses nothing.
constexpr DWORD kStartUpLookMs = 25;

// One start-up: milliseconds from CreateProcess to each call of kCalls (NaN
// for one that did not come); empty when the last did not come.
using StartUp = std::vector<double>;

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
    const auto find = [&](const StartUpCall& call) {
        return std::find_if(journal.begin(), journal.end(), [&](const JournalEntry& entry) { return IsCall(call, entry); });
    };
    const StartUpCall& last = kCalls[kCallCount - 1];
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (find(last) == journal.end() && std::chrono::steady_clock::now() < limit) {
        ::Sleep(kStartUpLookMs);
        if (jukebox->JournalCount() > static_cast<long>(journal.size())) {
            const std::vector<JournalEntry> more = jukebox->Journal(static_cast<long>(journal.size()));
            journal.insert(journal.end(), more.begin(), more.end());
        }
    }
    StartUp calls;
    if (find(last) != journal.end()) {
        for (const StartUpCall& call : kCalls) {
            const auto entry = find(call);
            calls.push_back(entry == journal.end()
                                ? NAN
                                : (jukebox->JournalTime(static_cast<long>(entry - journal.begin())) - start) / 1000);
        }
    }
    // Our connection goes first, so that the server can end after the run.
    ownConnection.reset();
    run.Close();
    return calls;
}

// The median of each call's time over the runs that made it.
std::vector<double> MedianCalls(const std::vector<StartUp>& runs)
{
    std::vector<double> medians;
    for (std::size_t call = 0; call < kCallCount; ++call) {
        std::vector<double> times;
        for (const StartUp& run : runs) {
            if (!run.empty() && !std::isnan(run[call]))
                times.push_back(run[call]);
        }
        medians.push_back(Median(times));
    }
    return medians;
}

std::size_t ReadyRuns(const std::vector<StartUp>& runs)
{
    return static_cast<std::size_t>(std::count_if(runs.begin(), runs.end(), [](const StartUp& run) { return !run.empty(); }));
}

void WriteTime(std::ofstream& samples, const StartUp& run, std::size_t call)
{
    if (run.empty() || std::isnan(run[call]))
        samples << " NaN";
    else
        samples << ' ' << run[call];
}

// One block per situation (gnuplot's index): a row per run and call with the
// call's place, its label, the run, and the program's and the baseline's
// milliseconds.
void WriteSamples(std::ofstream& samples, const char* situation, const std::vector<StartUp>& program,
                  const std::vector<StartUp>& baseline)
{
    samples << "# " << situation << ": call, label, run, " << kProgram << " ms, baseline ms\n";
    for (std::size_t run = 0; run < program.size() && run < baseline.size(); ++run) {
        for (std::size_t call = 0; call < kCallCount; ++call) {
            samples << call << " \"" << kCalls[call].label << "\" " << run;
            WriteTime(samples, program[run], call);
            WriteTime(samples, baseline[run], call);
            samples << '\n';
        }
    }
    samples << "\n\n";
}

void ReportStartUp(const char* situation, const char* goalName, double limit, const std::vector<StartUp>& program,
                   const std::vector<StartUp>& baseline)
{
    const std::vector<double> programCalls = MedianCalls(program), baselineCalls = MedianCalls(baseline);
    std::printf("  %s, medians of %zu runs each, ms from CreateProcess to each call:\n", situation, program.size());
    std::printf("    %-16s %17s %10s\n", "", kProgram, "baseline");
    for (std::size_t call = 0; call < kCallCount; ++call)
        std::printf("    %-16s %17.1f %10.1f\n", kCalls[call].label, programCalls[call], baselineCalls[call]);
    const bool allReady = ReadyRuns(program) == program.size() && ReadyRuns(baseline) == baseline.size();
    if (!allReady)
        std::printf("    NOT every run reached command 203: %zu of the program's, %zu of the baseline's\n",
                    ReadyRuns(program), ReadyRuns(baseline));
    const double programMs = programCalls.back(), baselineMs = baselineCalls.back();
    const double ratio = baselineMs > 0 ? programMs / baselineMs : 0;
    std::printf("    ratio at command 203: %.2f\n", ratio);
    Goal(goalName, Format("%.2f x baseline", ratio), Format("at most %.1f x baseline", limit),
         allReady && programMs > 0 && baselineMs > 0 && ratio <= limit);
}

}  // namespace

void MeasureStartUp(std::unique_ptr<JukeboxControl>& jukebox)
{
    std::printf("Start-up to ready (from CreateProcess to the jukebox receiving command 203), both programs\n"
                "making the same jukebox calls, no remote plugged:\n");
    std::ofstream samples = SamplesFile("startup-calls.dat");
    std::vector<StartUp> program, baseline;
    for (int run = 0; run < kWarmRuns; ++run) {
        program.push_back(MeasureOneStartUp(kProgram, jukebox.get()));
        baseline.push_back(MeasureOneStartUp(kBaseline, jukebox.get()));
    }
    ReportStartUp("jukebox server already running", "startup_jukebox_running", kWarmLimit, program, baseline);
    WriteSamples(samples, "jukebox server already running", program, baseline);

    jukebox.reset();
    program.clear();
    baseline.clear();
    for (int run = 0; run < kColdRuns; ++run) {
        for (const char* which : {kProgram, kBaseline}) {
            // The server ends some 3 s after its last client.
            if (!WaitUntil([] { return !JukeboxServerRuns(); }, std::chrono::seconds(60))) {
                std::printf("  the jukebox's server did not end: no figure with the server started by the call\n");
                jukebox = std::make_unique<JukeboxControl>();
                return;
            }
            (IsProgram(which) ? program : baseline).push_back(MeasureOneStartUp(which, nullptr));
        }
    }
    ReportStartUp("jukebox server started by the call", "startup_jukebox_started", kColdLimit, program, baseline);
    WriteSamples(samples, "jukebox server started by the call", program, baseline);
    jukebox = std::make_unique<JukeboxControl>();
}
