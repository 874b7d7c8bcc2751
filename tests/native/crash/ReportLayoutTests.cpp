#include "crash/ReportLayout.h"
#include "crash/ReportRegisters.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

// What the report functions printed; the C library's printf stands in for
// wvsprintfA, which formats %s, %u and %0nX the same way.
std::string g_printed;

int Capture(const char* format, ...)
{
    char line[1024];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    g_printed += line;
    return length;
}

const char* AccessViolationName(std::uint32_t)
{
    return "ACCESS_VIOLATION";
}

const char* SystemText(std::uint32_t)
{
    return "Some system text.\r\n";
}

const char* NoName(std::uint32_t)
{
    return nullptr;
}

// Naming a code after a second fault: nothing more is written.
const char* Interrupted(std::uint32_t)
{
    throw 0;
}

class ReportLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override { g_printed.clear(); }
};

LocalTime SampleTime()
{
    LocalTime time;
    time.year = 2026;
    time.month = 12;
    time.day = 7;
    time.dayOfWeek = 1;
    time.hour = 6;
    time.minute = 5;
    time.second = 9;
    return time;
}

}  // namespace

TEST_F(ReportLayoutTest, WritesThe64BitReportLineByLine)
{
    const char* module = "C:\\bin\\VantrelRemote.exe";
    Registers64 registers;
    registers.rax = 0x0000000000000001;
    registers.rbx = 0x123456789ABCDEF0;
    registers.rcx = 0xFFFFFFFFFFFFFFFF;
    registers.rip = 0x0000000140001540;
    registers.rsp = 0x000000000021F8E8;
    registers.rbp = 0x000000000021FD20;
    registers.flags = 0x10246;
    registers.cs = 0x33;
    registers.ss = 0x2B;
    registers.ds = registers.es = registers.gs = 0x2B;
    registers.fs = 0x53;

    PrintReportOpening(&Capture, SampleTime());
    PrintExceptionLine(&Capture, 0xC0000005, &AccessViolationName);
    PrintFaultAddressLine(&Capture, AddressWidth::Bits64, 0x140001540, LogicalAddress{1, 0x540, module});
    PrintRegisters(&Capture, registers);
    PrintCallStackHeading(&Capture, AddressWidth::Bits64);
    PrintCallStackLine(&Capture, AddressWidth::Bits64, 0x140001540, 0x21F8E8, LogicalAddress{1, 0x540, module});
    PrintCallStackLine(&Capture, AddressWidth::Bits64, 0x7FFE12345678, 0x21F900, LogicalAddress{});
    PrintReportClosing(&Capture);

    EXPECT_EQ(g_printed,
              "//=====================================================\r\n"
              "local time: Mon Dec 07 06:05:09 2026\n\r\n"
              "Exception code: C0000005 ACCESS_VIOLATION\r\n"
              "Fault address:  0000000140001540 01:00000540 C:\\bin\\VantrelRemote.exe\r\n"
              "\r\nRegisters:\r\n"
              "RAX:0000000000000001\r\n"
              "RBX:123456789ABCDEF0\r\n"
              "RCX:FFFFFFFFFFFFFFFF\r\n"
              "RDX:0000000000000000\r\n"
              "RSI:0000000000000000\r\n"
              "RDI:0000000000000000\r\n"
              "CS:RIP:0033:0000000140001540\r\n"
              "SS:RSP:002B:000000000021F8E8  RBP:000000000021FD20\r\n"
              "DS:002B  ES:002B  FS:0053  GS:002B\r\n"
              "Flags:00010246\r\n"
              "\r\nCall stack:\r\n"
              "Address           Frame             Logical addr  Module\r\n"
              "0000000140001540  000000000021F8E8  0001:00000540 C:\\bin\\VantrelRemote.exe\r\n"
              "00007FFE12345678  000000000021F900  0000:00000000 \r\n"
              "\r\n");
}

TEST_F(ReportLayoutTest, WritesThe32BitBlocksWithEightDigits)
{
    Registers32 registers;
    registers.eax = 0xA;
    registers.ebx = 0xB;
    registers.ecx = 0xC;
    registers.edx = 0xD;
    registers.esi = 0xE;
    registers.edi = 0xF;
    registers.eip = 0x00401234;
    registers.esp = 0x0012FF00;
    registers.ebp = 0x0012FF40;
    registers.flags = 0x246;
    registers.cs = 0x1B;
    registers.ss = registers.ds = registers.es = 0x23;
    registers.fs = 0x3B;
    registers.gs = 0;

    PrintFaultAddressLine(&Capture, AddressWidth::Bits32, 0x00401234, LogicalAddress{1, 0x234, "C:\\v.exe"});
    PrintRegisters(&Capture, registers);
    PrintCallStackHeading(&Capture, AddressWidth::Bits32);
    PrintCallStackLine(&Capture, AddressWidth::Bits32, 0x00401234, 0x0012FF40, LogicalAddress{1, 0x234, "C:\\v.exe"});

    EXPECT_EQ(g_printed,
              "Fault address:  00401234 01:00000234 C:\\v.exe\r\n"
              "\r\nRegisters:\r\n"
              "EAX:0000000A\r\nEBX:0000000B\r\nECX:0000000C\r\nEDX:0000000D\r\nESI:0000000E\r\nEDI:0000000F\r\n"
              "CS:EIP:001B:00401234\r\n"
              "SS:ESP:0023:0012FF00  EBP:0012FF40\r\n"
              "DS:0023  ES:0023  FS:003B  GS:0000\r\n"
              "Flags:00000246\r\n"
              "\r\nCall stack:\r\n"
              "Address   Frame     Logical addr  Module\r\n"
              "00401234  0012FF40  0001:00000234 C:\\v.exe\r\n");
}

TEST_F(ReportLayoutTest, KeepsTheSystemTextAndWritesTheCodeBeforeNamingIt)
{
    PrintExceptionLine(&Capture, 0x00000001, &SystemText);
    PrintExceptionLine(&Capture, 0xC0000135, &NoName);
    EXPECT_EQ(g_printed,
              "Exception code: 00000001 Some system text.\r\n\r\n"
              "Exception code: C0000135 \r\n");
    g_printed.clear();
    EXPECT_ANY_THROW(PrintExceptionLine(&Capture, 0xC0000135, &Interrupted));
    EXPECT_EQ(g_printed, "Exception code: C0000135 ");
}

TEST_F(ReportLayoutTest, WritesTheTimeAsTheCLibrarysCtimeDoes)
{
    LocalTime time = SampleTime();
    time.month = 1;
    time.day = 31;
    time.dayOfWeek = 6;
    time.hour = 23;
    time.minute = 59;
    time.second = 0;
    PrintReportOpening(&Capture, time);
    time.month = 13;
    time.dayOfWeek = 7;
    PrintReportOpening(&Capture, time);
    EXPECT_EQ(g_printed,
              "//=====================================================\r\n"
              "local time: Sat Jan 31 23:59:00 2026\n\r\n"
              "//=====================================================\r\n"
              "local time: ??? ??? 31 23:59:00 2026\n\r\n");
}
