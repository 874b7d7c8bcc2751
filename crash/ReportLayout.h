// The lines of a crash report, written through a printf-like function: the
// report file in the program, a string in the tests. No Windows headers.
// Every line ends in CR LF. The 64-bit program writes addresses with 16 hex
// digits and widens the call-stack columns to match; the 32-bit one writes 8.
#pragma once

#include <cstdint>

// Formats and writes one piece of the report; returns the characters written.
// Only %s, %u and %0nX of unsigned int are used, as the system's wvsprintfA
// knows them, so a 64-bit value goes as two 32-bit halves.
using ReportPrint = int (*)(const char* format, ...);

// The halves of a 64-bit value, for "%08X%08X".
inline unsigned HighHalf(std::uint64_t value)
{
    return static_cast<unsigned>(value >> 32);
}
inline unsigned LowHalf(std::uint64_t value)
{
    return static_cast<unsigned>(value);
}

enum class AddressWidth { Bits32, Bits64 };
constexpr AddressWidth kProgramAddressWidth = sizeof(void*) == 8 ? AddressWidth::Bits64 : AddressWidth::Bits32;

// The local time of the fault, as the system clock gives it.
struct LocalTime
{
    unsigned year = 0;
    unsigned month = 0;      // 1 to 12
    unsigned day = 0;        // 1 to 31
    unsigned dayOfWeek = 0;  // 0 is Sunday
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
};

// Where an address lies: a module's file name and a section of it, or section
// 0, offset 0 and an empty name outside any module.
struct LogicalAddress
{
    unsigned section = 0;
    std::uint32_t offset = 0;
    const char* module = "";
};

// The rule that opens every report and the local time, in the C library's
// ctime form with its own line feed ("Mon Dec 07 06:22:22 2026\n"), so that
// line ends in LF CR LF.
void PrintReportOpening(ReportPrint print, const LocalTime& time);

// Names an exception code (null for none).
using ExceptionNamer = const char* (*)(std::uint32_t code);

// "Exception code: ..." with the code and its name. The code is written
// before the name is asked for, so that it is on disk even if naming it
// fails with a second fault.
void PrintExceptionLine(ReportPrint print, std::uint32_t code, ExceptionNamer name);
// "Fault address: ..." with the address and where it lies.
void PrintFaultAddressLine(ReportPrint print, AddressWidth width, std::uint64_t address, const LogicalAddress& where);

// "Call stack:" and the column heading.
void PrintCallStackHeading(ReportPrint print, AddressWidth width);
// One frame: its pc, its frame address and the pc's logical address.
void PrintCallStackLine(ReportPrint print, AddressWidth width, std::uint64_t pc, std::uint64_t frame,
                        const LogicalAddress& where);

// The empty line that ends a report.
void PrintReportClosing(ReportPrint print);
