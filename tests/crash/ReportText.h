// Reads a report file of a program of this build's width back, line by line,
// for the tests: every line must have exactly the form the report gives it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct StackLine
{
    std::uint64_t pc = 0;
    std::uint64_t frame = 0;
    unsigned section = 0;
    std::uint32_t offset = 0;
    std::string module;
};

struct ParsedReport
{
    std::string problem;  // the first line that is not as it should be; empty if none
    std::string code;
    std::string name;
    std::uint64_t faultAddress = 0;
    unsigned faultSection = 0;
    std::uint32_t faultOffset = 0;
    std::string faultModule;
    // EAX to EDI, CS, EIP, SS, ESP, EBP (RAX to RBP on 64 bits), DS, ES, FS, GS, Flags
    std::map<std::string, std::uint64_t> registers;
    std::vector<StackLine> stack;
};

// The registers that the report's first stack line repeats: the faulting pc,
// and the frame the walk starts from (the frame pointer on 32 bits, where the
// walk follows the frame-pointer chain; the stack pointer on 64 bits, where it
// unwinds).
#ifdef _WIN64
constexpr char kPcRegister[] = "RIP";
constexpr char kFirstFrameRegister[] = "RSP";
#else
constexpr char kPcRegister[] = "EIP";
constexpr char kFirstFrameRegister[] = "EBP";
#endif

// Splits a report file into its reports (each opened by the rule line) and
// parses each; text before the first rule becomes a report with a problem.
std::vector<ParsedReport> ParseReports(const std::string& fileText);
