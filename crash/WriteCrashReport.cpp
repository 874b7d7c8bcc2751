#include "crash/WriteCrashReport.h"

#include <cstdint>

#include "crash/CallerStep.h"
#include "crash/ExceptionName.h"
#include "crash/LogicalAddress.h"
#include "crash/MemoryProbe.h"
#include "crash/ReportFile.h"
#include "crash/ReportLayout.h"
#include "crash/ReportRegisters.h"

namespace {

// Static, like everything a report uses: a fault may have left the heap
// broken, and a stack overflow leaves no stack to spare.
char moduleName[MAX_PATH];

LogicalAddress Locate(const void* address)
{
    DWORD section = 0;
    DWORD offset = 0;
    FindLogicalAddress(address, moduleName, sizeof moduleName, section, offset);
    return LogicalAddress{section, offset, moduleName};
}

LocalTime Now()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    LocalTime time;
    time.year = now.wYear;
    time.month = now.wMonth;
    time.day = now.wDay;
    time.dayOfWeek = now.wDayOfWeek;
    time.hour = now.wHour;
    time.minute = now.wMinute;
    time.second = now.wSecond;
    return time;
}

#ifdef _WIN64
Registers64 RegistersOf(const CONTEXT& context)
{
    Registers64 registers;
    registers.rax = context.Rax;
    registers.rbx = context.Rbx;
    registers.rcx = context.Rcx;
    registers.rdx = context.Rdx;
    registers.rsi = context.Rsi;
    registers.rdi = context.Rdi;
    registers.rip = context.Rip;
    registers.rsp = context.Rsp;
    registers.rbp = context.Rbp;
    registers.flags = context.EFlags;
    registers.cs = context.SegCs;
    registers.ss = context.SegSs;
    registers.ds = context.SegDs;
    registers.es = context.SegEs;
    registers.fs = context.SegFs;
    registers.gs = context.SegGs;
    return registers;
}
#else
Registers32 RegistersOf(const CONTEXT& context)
{
    Registers32 registers;
    registers.eax = context.Eax;
    registers.ebx = context.Ebx;
    registers.ecx = context.Ecx;
    registers.edx = context.Edx;
    registers.esi = context.Esi;
    registers.edi = context.Edi;
    registers.eip = context.Eip;
    registers.esp = context.Esp;
    registers.ebp = context.Ebp;
    registers.flags = context.EFlags;
    registers.cs = static_cast<std::uint16_t>(context.SegCs);
    registers.ss = static_cast<std::uint16_t>(context.SegSs);
    registers.ds = static_cast<std::uint16_t>(context.SegDs);
    registers.es = static_cast<std::uint16_t>(context.SegEs);
    registers.fs = static_cast<std::uint16_t>(context.SegFs);
    registers.gs = static_cast<std::uint16_t>(context.SegGs);
    return registers;
}
#endif

void PrintFrame(const StackFrame& frame)
{
    PrintCallStackLine(&ReportPrintf, kProgramAddressWidth, frame.pc, frame.frame,
                       Locate(reinterpret_cast<const void*>(frame.pc)));
}

}  // namespace

void WriteCrashReport(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    PrintReportOpening(&ReportPrintf, Now());
    // Written before the address is looked up, so that the line survives a
    // second fault in the lookup.
    PrintExceptionLine(&ReportPrintf, record.ExceptionCode, &ExceptionName);
    PrintFaultAddressLine(&ReportPrintf, kProgramAddressWidth, reinterpret_cast<std::uintptr_t>(record.ExceptionAddress),
                          Locate(record.ExceptionAddress));
    if (pointers->ContextRecord != nullptr) {
        PrintRegisters(&ReportPrintf, RegistersOf(*pointers->ContextRecord));
        WriteCallStack(*pointers->ContextRecord);
    }
    PrintReportClosing(&ReportPrintf);
}

void WriteCallStack(const CONTEXT& context)
{
    PrintCallStackHeading(&ReportPrintf, kProgramAddressWidth);
    WalkStack(StartCallerSteps(context), &IsWritableMemory, &StepToCaller, &PrintFrame);
}
