// The crash reporter's parts, in this process: no fault needed.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "CrashTestSupport.h"
#include "ProgramRun.h"
#include "ReportText.h"
#include "crash/CrashReporter.h"
#include "crash/ExceptionName.h"
#include "crash/LogicalAddress.h"
#include "crash/MemoryProbe.h"

namespace {

EXCEPTION_POINTERS* g_handedOn = nullptr;
LONG g_answer = EXCEPTION_CONTINUE_SEARCH;

LONG WINAPI RecordingFilter(EXCEPTION_POINTERS* pointers)
{
    g_handedOn = pointers;
    return g_answer;
}

void RecordingTerminateHandler() {}

std::string OwnPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The filter in place now (asking means replacing it for a moment).
LPTOP_LEVEL_EXCEPTION_FILTER CurrentFilter()
{
    const LPTOP_LEVEL_EXCEPTION_FILTER current = ::SetUnhandledExceptionFilter(nullptr);
    ::SetUnhandledExceptionFilter(current);
    return current;
}

// The register block as the report must print it from a context.
std::map<std::string, std::uint64_t> ReportedRegisters(const CONTEXT& context)
{
#ifdef _WIN64
    return {{"RAX", context.Rax}, {"RBX", context.Rbx}, {"RCX", context.Rcx}, {"RDX", context.Rdx},
            {"RSI", context.Rsi}, {"RDI", context.Rdi}, {"RIP", context.Rip}, {"RSP", context.Rsp},
            {"RBP", context.Rbp},
#else
    return {{"EAX", context.Eax}, {"EBX", context.Ebx}, {"ECX", context.Ecx}, {"EDX", context.Edx},
            {"ESI", context.Esi}, {"EDI", context.Edi}, {"EIP", context.Eip}, {"ESP", context.Esp},
            {"EBP", context.Ebp},
#endif
            {"CS", context.SegCs}, {"SS", context.SegSs}, {"DS", context.SegDs}, {"ES", context.SegEs},
            {"FS", context.SegFs}, {"GS", context.SegGs}, {"Flags", context.EFlags}};
}

class CrashReporterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_reportPath = ProgramFolder() + "\\vantrel_crash_tests.RPT";
        RemoveFile(m_reportPath);
        m_originalFilter = ::SetUnhandledExceptionFilter(&RecordingFilter);
        g_handedOn = nullptr;
    }
    void TearDown() override
    {
        ::SetUnhandledExceptionFilter(m_originalFilter);
        RemoveFile(m_reportPath);
    }

    // An exception as the system would hand it to the filter, raised here.
    EXCEPTION_POINTERS* MakeException(DWORD code)
    {
        ::RtlCaptureContext(&m_context);
        m_record = EXCEPTION_RECORD{};
        m_record.ExceptionCode = code;
        m_record.ExceptionAddress = reinterpret_cast<void*>(ReportedRegisters(m_context).at(kPcRegister));
        m_pointers = EXCEPTION_POINTERS{&m_record, &m_context};
        return &m_pointers;
    }

    std::string m_reportPath;
    LPTOP_LEVEL_EXCEPTION_FILTER m_originalFilter = nullptr;
    CONTEXT m_context{};
    EXCEPTION_RECORD m_record{};
    EXCEPTION_POINTERS m_pointers{};
};

}  // namespace

TEST_F(CrashReporterTest, InstallsItsFilterAndPutsBackWhatItReplaced)
{
    const std::terminate_handler terminateHandler = std::set_terminate(&RecordingTerminateHandler);
    {
        const CrashReporter reporter;
        EXPECT_EQ(CurrentFilter(), &CrashReporter::CrashReportFilter);
        EXPECT_NE(std::get_terminate(), &RecordingTerminateHandler);
        EXPECT_TRUE(SamePath(CrashReporter::ReportPath(), m_reportPath)) << CrashReporter::ReportPath();
    }
    EXPECT_EQ(CurrentFilter(), &RecordingFilter);
    EXPECT_EQ(std::get_terminate(), &RecordingTerminateHandler);
    std::set_terminate(terminateHandler);
    EXPECT_FALSE(FileExists(m_reportPath));
}

TEST_F(CrashReporterTest, WritesTheReportThenHandsTheExceptionOnWithItsAnswer)
{
    const CrashReporter reporter;
    g_answer = EXCEPTION_EXECUTE_HANDLER;
    EXCEPTION_POINTERS* pointers = MakeException(0xC0000094);
    EXPECT_EQ(CrashReporter::CrashReportFilter(pointers), EXCEPTION_EXECUTE_HANDLER);
    EXPECT_EQ(g_handedOn, pointers);

    const auto reports = ParseReports(FileText(m_reportPath));
    ASSERT_EQ(reports.size(), 1u) << FileText(m_reportPath);
    EXPECT_EQ(reports[0].problem, "");
    EXPECT_EQ(reports[0].code, "C0000094");
    EXPECT_EQ(reports[0].name, "INT_DIVIDE_BY_ZERO");
    EXPECT_TRUE(SamePath(reports[0].faultModule, OwnPath()));
    EXPECT_EQ(reports[0].registers, ReportedRegisters(m_context));
    // This test, then the test framework's frames below it.
    ASSERT_GE(reports[0].stack.size(), 3u);
    EXPECT_TRUE(SamePath(reports[0].stack[1].module, OwnPath()));
}

TEST_F(CrashReporterTest, LetsTheRuntimesSearchForACatchGoOnWithoutAReport)
{
    g_answer = EXCEPTION_CONTINUE_EXECUTION;
    {
        const CrashReporter reporter;
        EXPECT_EQ(CrashReporter::CrashReportFilter(MakeException(0x20474343)), EXCEPTION_CONTINUE_EXECUTION);
        EXPECT_EQ(g_handedOn, &m_pointers);
    }
    ::SetUnhandledExceptionFilter(nullptr);
    {
        const CrashReporter reporter;
        EXPECT_EQ(CrashReporter::CrashReportFilter(MakeException(0x20474343)), EXCEPTION_CONTINUE_EXECUTION);
    }
    EXPECT_FALSE(FileExists(m_reportPath));
}

TEST(ExceptionNameTest, NamesKnownCodesAndAsksNtdllForOthers)
{
    EXPECT_STREQ(ExceptionName(0xC0000005), "ACCESS_VIOLATION");
    // Wine's NTDLL.DLL has no message table, so there the text is empty.
    char expected[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, ::GetModuleHandleA("NTDLL.DLL"),
                     0xC0000135, 0, expected, sizeof expected, nullptr);
    EXPECT_STREQ(ExceptionName(0xC0000135), expected);
}

TEST(FindLogicalAddressTest, GivesModuleSectionAndOffset)
{
    const auto* base = reinterpret_cast<const unsigned char*>(::GetModuleHandleA(nullptr));
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER& text = IMAGE_FIRST_SECTION(headers)[0];
    const DWORD textSize = std::max<DWORD>(text.SizeOfRawData, text.Misc.VirtualSize);
    const auto* code = reinterpret_cast<const unsigned char*>(&OwnPath);

    char name[MAX_PATH] = "unchanged";
    DWORD section = 0;
    DWORD offset = 0;
    ASSERT_TRUE(FindLogicalAddress(code, name, MAX_PATH, section, offset));
    EXPECT_TRUE(SamePath(name, OwnPath())) << name;
    EXPECT_EQ(section, 1u);
    EXPECT_EQ(offset, static_cast<DWORD>(code - base - text.VirtualAddress));

    // Exactly at the end of the section.
    ASSERT_TRUE(FindLogicalAddress(base + text.VirtualAddress + textSize, name, MAX_PATH, section, offset));
    EXPECT_EQ(section, 1u);
    EXPECT_EQ(offset, textSize);

    // In the headers: the module's name, but no section.
    section = 7;
    offset = 7;
    EXPECT_FALSE(FindLogicalAddress(base, name, MAX_PATH, section, offset));
    EXPECT_TRUE(SamePath(name, OwnPath()));
    EXPECT_EQ(section, 7u);
    EXPECT_EQ(offset, 7u);
}

TEST(FindLogicalAddressTest, OutsideAnyModuleGivesNoNameAndLeavesSectionAndOffset)
{
    const auto heap = std::make_unique<int>(1);
    void* reserved = ::VirtualAlloc(nullptr, 4096, MEM_RESERVE, PAGE_NOACCESS);
    const void* const addresses[] = {heap.get(), reserved, nullptr};
    for (const void* address : addresses) {
        char name[MAX_PATH] = "unchanged";
        DWORD section = 0;
        DWORD offset = 0;
        EXPECT_FALSE(FindLogicalAddress(address, name, MAX_PATH, section, offset)) << address;
        EXPECT_STREQ(name, "");
        EXPECT_EQ(section, 0u);
        EXPECT_EQ(offset, 0u);
    }
    ::VirtualFree(reserved, 0, MEM_RELEASE);
}

TEST(MemoryProbeTest, AcceptsOnlyMemoryThatCanBeWrittenWithoutAFault)
{
    const SIZE_T page = 4096;
    auto* pages = static_cast<unsigned char*>(::VirtualAlloc(nullptr, 4 * page, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_NE(pages, nullptr);
    ::VirtualAlloc(pages, page, MEM_COMMIT, PAGE_READWRITE);
    ::VirtualAlloc(pages + page, page, MEM_COMMIT, PAGE_READONLY);
    ::VirtualAlloc(pages + 2 * page, page, MEM_COMMIT, PAGE_READWRITE | PAGE_GUARD);
    const auto at = [&](SIZE_T offset) { return reinterpret_cast<std::uintptr_t>(pages) + offset; };
    int local = 0;

    EXPECT_TRUE(IsWritableMemory(reinterpret_cast<std::uintptr_t>(&local), sizeof local));
    EXPECT_TRUE(IsWritableMemory(at(0), page));
    EXPECT_FALSE(IsWritableMemory(at(page - 8), 16));  // runs into the read-only page
    EXPECT_FALSE(IsWritableMemory(at(page), 8));
    EXPECT_FALSE(IsWritableMemory(at(2 * page), 8));   // guard page
    EXPECT_FALSE(IsWritableMemory(at(3 * page), 8));   // reserved only
    EXPECT_FALSE(IsWritableMemory(0, 8));
    EXPECT_FALSE(IsWritableMemory(at(0), 0));
    EXPECT_FALSE(IsWritableMemory(~std::uintptr_t{0} - 4, 16));
    // Asking did not touch the guard page: it still guards.
    MEMORY_BASIC_INFORMATION region;
    ::VirtualQuery(pages + 2 * page, &region, sizeof region);
    EXPECT_NE(region.Protect & PAGE_GUARD, 0u);
    ::VirtualFree(pages, 0, MEM_RELEASE);
}
