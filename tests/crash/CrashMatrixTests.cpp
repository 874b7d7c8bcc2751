// The crash matrix: VantrelCrash faults in each way the report must cope
// with, from a folder of its own, and its report is read back line by line.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "CrashProgramCodes.h"
#include "CrashTestSupport.h"
#include "ProgramRun.h"
#include "ReportText.h"

namespace {

constexpr DWORD kAccessViolation = 0xC0000005;
constexpr DWORD kStackOverflow = 0xC00000FD;

class CrashMatrixTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        m_program = Install(m_folder, "VantrelCrash.exe");
        m_report = m_folder + "\\VantrelCrash.RPT";
    }
    void TearDown() override { RemoveFolder(m_folder); }

    // Copies the crash program into folder under name.
    static std::string Install(const std::string& folder, const std::string& name)
    {
        const std::string path = folder + "\\" + name;
        EXPECT_TRUE(::CopyFileA((ProgramFolder() + "\\VantrelCrash.exe").c_str(), path.c_str(), FALSE)) << path;
        return path;
    }

    DWORD Crash(const std::string& program, const std::string& arguments)
    {
        DWORD exitCode = 0;
        EXPECT_TRUE(RunToEnd(program, arguments, exitCode)) << program << " " << arguments << " did not end";
        return exitCode;
    }

    std::vector<ParsedReport> Reports(const std::string& path) const { return ParseReports(FileText(path)); }

    // Everything a fault in our own code must show: the exception, the fault
    // address in the program's code section, the same pc in the registers and
    // in the first stack line, and a stack whose frames rise.
    void ExpectFaultInProgram(const ParsedReport& report, const char* code, const char* name,
                              const std::string& program) const
    {
        ASSERT_EQ(report.problem, "");
        EXPECT_EQ(report.code, code);
        EXPECT_EQ(report.name, name);
        EXPECT_TRUE(SamePath(report.faultModule, program)) << report.faultModule;
        EXPECT_EQ(report.faultSection, 1u);
        EXPECT_EQ(report.registers.at(kPcRegister), report.faultAddress);
        ExpectStackFromContext(report);
        EXPECT_EQ(report.stack[0].section, report.faultSection);
        EXPECT_EQ(report.stack[0].offset, report.faultOffset);
        EXPECT_EQ(report.stack[0].module, report.faultModule);
    }

    static void ExpectStackFromContext(const ParsedReport& report)
    {
        ASSERT_FALSE(report.stack.empty());
        EXPECT_EQ(report.stack[0].pc, report.registers.at(kPcRegister));
        EXPECT_EQ(report.stack[0].frame, report.registers.at(kFirstFrameRegister));
        for (std::size_t i = 1; i < report.stack.size(); ++i) {
            EXPECT_GT(report.stack[i].frame, report.stack[i - 1].frame) << "line " << i;
            EXPECT_EQ(report.stack[i].frame % sizeof(void*), 0u) << "line " << i;
        }
    }

    // How many stack lines from the top lie in the program.
    static std::size_t FramesInProgramOnTop(const ParsedReport& report, const std::string& program)
    {
        std::size_t count = 0;
        while (count < report.stack.size() && SamePath(report.stack[count].module, program))
            ++count;
        return count;
    }

    std::string m_folder;
    std::string m_program;
    std::string m_report;
};

}  // namespace

TEST_F(CrashMatrixTest, AccessViolationOnTheUserInterfaceThread)
{
    EXPECT_EQ(Crash(m_program, "ui-access-violation") & 0xFF, kAccessViolation & 0xFF);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report);
    ExpectFaultInProgram(reports[0], "C0000005", "ACCESS_VIOLATION", m_program);
    // The fault, its two callers and the window procedure; then the walk goes
    // through the system's frames back into the message loop.
    EXPECT_GE(FramesInProgramOnTop(reports[0], m_program), 4u) << FileText(m_report);
    bool backInProgram = false;
    for (std::size_t i = FramesInProgramOnTop(reports[0], m_program) + 1; i < reports[0].stack.size(); ++i)
        backInProgram = backInProgram || SamePath(reports[0].stack[i].module, m_program);
    EXPECT_TRUE(backInProgram) << FileText(m_report);
}

TEST_F(CrashMatrixTest, AccessViolationOnAnotherThread)
{
    EXPECT_EQ(Crash(m_program, "thread-access-violation") & 0xFF, kAccessViolation & 0xFF);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report);
    ExpectFaultInProgram(reports[0], "C0000005", "ACCESS_VIOLATION", m_program);
    // The fault, its two callers and the thread function.
    EXPECT_GE(FramesInProgramOnTop(reports[0], m_program), 4u) << FileText(m_report);
}

TEST_F(CrashMatrixTest, IntegerDivideByZero)
{
    EXPECT_EQ(Crash(m_program, "divide-by-zero") & 0xFF, 0x94u);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report);
    ExpectFaultInProgram(reports[0], "C0000094", "INT_DIVIDE_BY_ZERO", m_program);
}

TEST_F(CrashMatrixTest, StackOverflowIsReportedFromAStackWithRoom)
{
    EXPECT_EQ(Crash(m_program, "stack-overflow"), kStackOverflow);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report).substr(0, 4000);
    ExpectFaultInProgram(reports[0], "C00000FD", "STACK_OVERFLOW", m_program);
    // The recursion fills the stack with the program's frames.
    EXPECT_GE(FramesInProgramOnTop(reports[0], m_program), 1000u);
}

TEST_F(CrashMatrixTest, AFaultAfterTheHeapWasOverwrittenIsStillReported)
{
    // The program's own previous filter ends the process: what the system
    // does next (starting its debugger) needs the heap and hangs.
    EXPECT_EQ(Crash(m_program, "broken-heap --own-filter"), kPreviousFilterExitCode);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report);
    ExpectFaultInProgram(reports[0], "C0000005", "ACCESS_VIOLATION", m_program);
}

TEST_F(CrashMatrixTest, UncaughtCppExceptionOnEitherThreadGivesOneReport)
{
    for (const char* fault : {"uncaught-cpp", "thread-uncaught-cpp"}) {
        RemoveFile(m_report);
        EXPECT_EQ(Crash(m_program, fault) & 0xFF, 0x50u) << fault;
        const auto reports = Reports(m_report);
        ASSERT_EQ(reports.size(), 1u) << fault << "\n" << FileText(m_report);
        ASSERT_EQ(reports[0].problem, "") << fault;
        EXPECT_EQ(reports[0].code, "E0435050");
        EXPECT_EQ(reports[0].name, "UNCAUGHT_CPP_EXCEPTION");
        ExpectStackFromContext(reports[0]);
        // Raised by the terminate handler, in the program.
        bool throughProgram = false;
        for (const StackLine& line : reports[0].stack)
            throughProgram = throughProgram || SamePath(line.module, m_program);
        EXPECT_TRUE(throughProgram) << FileText(m_report);
    }
}

TEST_F(CrashMatrixTest, TwoFaultsInTwoRunsLeaveTwoReportsInOneFile)
{
    Crash(m_program, "thread-access-violation");
    Crash(m_program, "divide-by-zero");
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 2u) << FileText(m_report);
    ExpectFaultInProgram(reports[0], "C0000005", "ACCESS_VIOLATION", m_program);
    ExpectFaultInProgram(reports[1], "C0000094", "INT_DIVIDE_BY_ZERO", m_program);
}

TEST_F(CrashMatrixTest, ThePreviousFilterIsCalledAfterTheReport)
{
    EXPECT_EQ(Crash(m_program, "thread-access-violation --own-filter"), kPreviousFilterExitCode);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report);
    EXPECT_EQ(reports[0].problem, "");
}

TEST_F(CrashMatrixTest, AReportFileInUseGetsNoReportAndTheFaultIsStillHandedOn)
{
    const std::string earlier = "an earlier report\r\n";
    std::ofstream(m_report, std::ios::binary) << earlier;
    {
        // Another process writing a report into it holds it without sharing.
        const HANDLE writing = ::CreateFileA(m_report.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(writing, INVALID_HANDLE_VALUE);
        const UniqueHandle writer(writing);
        EXPECT_EQ(Crash(m_program, "divide-by-zero --own-filter"), kPreviousFilterExitCode);
    }
    EXPECT_EQ(FileText(m_report), earlier);
}

TEST_F(CrashMatrixTest, AReadOnlyReportFileGetsNoReportAndTheFaultIsStillHandedOn)
{
    const std::string earlier = "an earlier report\r\n";
    std::ofstream(m_report, std::ios::binary) << earlier;
    ::SetFileAttributesA(m_report.c_str(), FILE_ATTRIBUTE_READONLY);
    if (!ReadOnlyIsEnforced(m_report))
        GTEST_SKIP() << "a read-only file can be written here (Wine running as root)";
    EXPECT_EQ(Crash(m_program, "divide-by-zero --own-filter"), kPreviousFilterExitCode);
    EXPECT_EQ(FileText(m_report), earlier);
}

TEST_F(CrashMatrixTest, AFaultWhileTheReportIsHandedOnEndsTheProcessWithoutASecondReport)
{
    EXPECT_EQ(Crash(m_program, "thread-access-violation --faulting-filter"), kAccessViolation);
    const auto reports = Reports(m_report);
    ASSERT_EQ(reports.size(), 1u) << FileText(m_report);
    EXPECT_EQ(reports[0].problem, "");
}

TEST_F(CrashMatrixTest, ReportPathBesideAProgramWithoutAThreeCharacterExtension)
{
    const std::string dotted = m_folder + "\\dotted.folder";
    ::CreateDirectoryA(dotted.c_str(), nullptr);
    const struct
    {
        std::string program;
        std::string report;
    } cases[] = {
        {Install(m_folder, "VantrelCrash"), m_folder + "\\VantrelCrash.RPT"},
        {Install(m_folder, "VantrelCrash.ex"), m_folder + "\\VantrelCrash.ex.RPT"},
        {Install(dotted, "VantrelCrash"), dotted + "\\VantrelCrash.RPT"},
    };
    // Where the reports would land if the extension were looked for anywhere
    // in the path, or replaced whatever its length.
    const std::string misplaced[] = {m_folder + "\\dotted.RPT", m_folder + "\\VantrelCrash.RPT",
                                     m_folder + "\\VantrelCrash.ex.RPT", dotted + "\\VantrelCrash.RPT"};
    for (const auto& entry : cases) {
        for (const std::string& report : misplaced)
            RemoveFile(report);
        Crash(entry.program, "divide-by-zero");
        const auto reports = Reports(entry.report);
        ASSERT_EQ(reports.size(), 1u) << entry.report;
        ExpectFaultInProgram(reports[0], "C0000094", "INT_DIVIDE_BY_ZERO", entry.program);
        for (const std::string& report : misplaced)
            EXPECT_EQ(FileExists(report), report == entry.report) << report;
    }
}

TEST_F(CrashMatrixTest, ARunWithoutAFaultLeavesNoReport)
{
    EXPECT_EQ(Crash(m_program, "none"), kNoFaultExitCode);
    EXPECT_FALSE(FileExists(m_report));
}
