#include "ReportText.h"

#include <regex>

namespace {

constexpr char kRule[] = "//=====================================================\r\n";

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

std::uint64_t Hex(const std::string& digits)
{
    return std::stoull(digits, nullptr, 16);
}

class LineReader
{
public:
    LineReader(std::vector<std::string> lines, ParsedReport& report) : m_lines(std::move(lines)), m_report(report) {}

    // Matches the next line; records the first mismatch as the problem.
    bool Next(const std::regex& pattern, std::smatch& match)
    {
        if (!m_report.problem.empty())
            return false;
        if (m_next >= m_lines.size() || !std::regex_match(m_lines[m_next], match, pattern)) {
            m_report.problem = "line " + std::to_string(m_next + 2) + ": "
                + (m_next < m_lines.size() ? "\"" + m_lines[m_next] + "\"" : "missing");
            return false;
        }
        ++m_next;
        return true;
    }
    bool Next(const std::string& exact)
    {
        std::smatch ignored;
        return Next(std::regex(std::regex_replace(exact, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)")), ignored);
    }
    bool AtStackLine() const
    {
        return m_next < m_lines.size() && !m_lines[m_next].empty();
    }

private:
    std::vector<std::string> m_lines;
    ParsedReport& m_report;
    std::size_t m_next = 0;
};

#ifdef _WIN64
const std::string kAddress = "([0-9A-F]{16})";
const char* const kGeneralRegisters[] = {"RAX", "RBX", "RCX", "RDX", "RSI", "RDI"};
const std::string kPc = "RIP", kSp = "RSP", kFp = "RBP";
const char kStackHeading[] = "Address           Frame             Logical addr  Module";
#else
const std::string kAddress = "([0-9A-F]{8})";
const char* const kGeneralRegisters[] = {"EAX", "EBX", "ECX", "EDX", "ESI", "EDI"};
const std::string kPc = "EIP", kSp = "ESP", kFp = "EBP";
const char kStackHeading[] = "Address   Frame     Logical addr  Module";
#endif
const std::string kWord = "([0-9A-F]{8})";

ParsedReport ParseOne(const std::string& body)
{
    ParsedReport report;
    LineReader reader(SplitLines(body), report);
    std::smatch match;
    reader.Next(std::regex(R"(local time: (Sun|Mon|Tue|Wed|Thu|Fri|Sat) [A-Z][a-z]{2} \d\d \d\d:\d\d:\d\d \d{4}\n)"), match);
    if (reader.Next(std::regex("Exception code: ([0-9A-F]{8}) (.*)"), match)) {
        report.code = match[1];
        report.name = match[2];
    }
    if (reader.Next(std::regex("Fault address:  " + kAddress + " ([0-9A-F]{2}):([0-9A-F]{8}) (.*)"), match)) {
        report.faultAddress = Hex(match[1]);
        report.faultSection = static_cast<unsigned>(Hex(match[2]));
        report.faultOffset = static_cast<std::uint32_t>(Hex(match[3]));
        report.faultModule = match[4];
    }
    reader.Next("");
    reader.Next("Registers:");
    for (const char* name : kGeneralRegisters) {
        if (reader.Next(std::regex(std::string(name) + ":" + kAddress), match))
            report.registers[name] = Hex(match[1]);
    }
    if (reader.Next(std::regex("CS:" + kPc + ":([0-9A-F]{4}):" + kAddress), match)) {
        report.registers["CS"] = Hex(match[1]);
        report.registers[kPc] = Hex(match[2]);
    }
    if (reader.Next(std::regex("SS:" + kSp + ":([0-9A-F]{4}):" + kAddress + "  " + kFp + ":" + kAddress), match)) {
        report.registers["SS"] = Hex(match[1]);
        report.registers[kSp] = Hex(match[2]);
        report.registers[kFp] = Hex(match[3]);
    }
    if (reader.Next(std::regex("DS:([0-9A-F]{4})  ES:([0-9A-F]{4})  FS:([0-9A-F]{4})  GS:([0-9A-F]{4})"), match)) {
        report.registers["DS"] = Hex(match[1]);
        report.registers["ES"] = Hex(match[2]);
        report.registers["FS"] = Hex(match[3]);
        report.registers["GS"] = Hex(match[4]);
    }
    if (reader.Next(std::regex("Flags:" + kWord), match))
        report.registers["Flags"] = Hex(match[1]);
    reader.Next("");
    reader.Next("Call stack:");
    reader.Next(kStackHeading);
    const std::regex stackLine(kAddress + "  " + kAddress + "  ([0-9A-F]{4}):" + kWord + " (.*)");
    do {
        if (reader.Next(stackLine, match))
            report.stack.push_back(StackLine{Hex(match[1]), Hex(match[2]), static_cast<unsigned>(Hex(match[3])),
                                             static_cast<std::uint32_t>(Hex(match[4])), match[5]});
    } while (report.problem.empty() && reader.AtStackLine());
    reader.Next("");  // the empty line that ends the report
    reader.Next("");  // nothing after its CR LF
    return report;
}

}  // namespace

std::vector<ParsedReport> ParseReports(const std::string& fileText)
{
    std::vector<ParsedReport> reports;
    std::size_t start = 0;
    if (fileText.compare(0, sizeof kRule - 1, kRule) != 0) {
        reports.emplace_back();
        reports.back().problem = "the file does not begin with the rule line";
    }
    while ((start = fileText.find(kRule, start)) != std::string::npos) {
        start += sizeof kRule - 1;
        const std::size_t next = fileText.find(kRule, start);
        reports.push_back(ParseOne(fileText.substr(start, next == std::string::npos ? std::string::npos : next - start)));
    }
    return reports;
}
