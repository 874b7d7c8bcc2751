// The register block of a crash report: the 32-bit layout, and the same
// layout for the 64-bit registers (RAX for EAX and so on, 16 hex digits).
// No Windows headers: the caller copies the registers out of its context.
#pragma once

#include <cstdint>

#include "crash/ReportLayout.h"

struct Registers32
{
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0, esi = 0, edi = 0;
    std::uint32_t eip = 0, esp = 0, ebp = 0;
    std::uint32_t flags = 0;
    std::uint16_t cs = 0, ss = 0, ds = 0, es = 0, fs = 0, gs = 0;
};

struct Registers64
{
    std::uint64_t rax = 0, rbx = 0, rcx = 0, rdx = 0, rsi = 0, rdi = 0;
    std::uint64_t rip = 0, rsp = 0, rbp = 0;
    std::uint32_t flags = 0;
    std::uint16_t cs = 0, ss = 0, ds = 0, es = 0, fs = 0, gs = 0;
};

// "Registers:" after an empty line, then the block.
void PrintRegisters(ReportPrint print, const Registers32& registers);
void PrintRegisters(ReportPrint print, const Registers64& registers);
