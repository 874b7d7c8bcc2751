#include "crash/ReportRegisters.h"

namespace {

template <class Registers>
void PrintSegmentsAndFlags(ReportPrint print, const Registers& registers)
{
    print("DS:%04X  ES:%04X  FS:%04X  GS:%04X\r\n", unsigned{registers.ds}, unsigned{registers.es},
          unsigned{registers.fs}, unsigned{registers.gs});
    print("Flags:%08X\r\n", unsigned{registers.flags});
}

}  // namespace

void PrintRegisters(ReportPrint print, const Registers32& registers)
{
    print("\r\nRegisters:\r\n");
    print("EAX:%08X\r\nEBX:%08X\r\nECX:%08X\r\nEDX:%08X\r\nESI:%08X\r\nEDI:%08X\r\n", unsigned{registers.eax},
          unsigned{registers.ebx}, unsigned{registers.ecx}, unsigned{registers.edx}, unsigned{registers.esi},
          unsigned{registers.edi});
    print("CS:EIP:%04X:%08X\r\n", unsigned{registers.cs}, unsigned{registers.eip});
    print("SS:ESP:%04X:%08X  EBP:%08X\r\n", unsigned{registers.ss}, unsigned{registers.esp}, unsigned{registers.ebp});
    PrintSegmentsAndFlags(print, registers);
}

void PrintRegisters(ReportPrint print, const Registers64& registers)
{
    print("\r\nRegisters:\r\n");
    print("RAX:%08X%08X\r\nRBX:%08X%08X\r\nRCX:%08X%08X\r\n", HighHalf(registers.rax), LowHalf(registers.rax),
          HighHalf(registers.rbx), LowHalf(registers.rbx), HighHalf(registers.rcx), LowHalf(registers.rcx));
    print("RDX:%08X%08X\r\nRSI:%08X%08X\r\nRDI:%08X%08X\r\n", HighHalf(registers.rdx), LowHalf(registers.rdx),
          HighHalf(registers.rsi), LowHalf(registers.rsi), HighHalf(registers.rdi), LowHalf(registers.rdi));
    print("CS:RIP:%04X:%08X%08X\r\n", unsigned{registers.cs}, HighHalf(registers.rip), LowHalf(registers.rip));
    print("SS:RSP:%04X:%08X%08X  RBP:%08X%08X\r\n", unsigned{registers.ss}, HighHalf(registers.rsp), LowHalf(registers.rsp),
          HighHalf(registers.rbp), LowHalf(registers.rbp));
    PrintSegmentsAndFlags(print, registers);
}
