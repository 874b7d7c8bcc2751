// Reads a report file of the 64-bit program back, line by line, for the
// tests: every line must have exactly the form the report gives it.
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
    std::map<std::string, std::uint64_t> registers;  // RAX to RDI, CS, RIP, SS, RSP, RBP, DS, ES, FS, GS, Flags
    std::vector<StackLine> stack;
};

// Splits a report file into its reports (each opened by the rule line) and
// parses each; text before the first rule becomes a report with a problem.
std::vector<ParsedReport> ParseReports(const std::string& fileText);
