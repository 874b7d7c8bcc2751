#include "app/EventLogFile.h"

namespace {

void AppendWithLineEnds(std::string& line, const std::string& text)
{
    for (const char character : text) {
        if (character == '\n')
            line += '\r';
        line += character;
    }
}

}  // namespace

std::string FormatEventLogLine(const std::string& time, const std::string& details)
{
    std::string line;
    line.reserve(time.size() + details.size() + 3);
    AppendWithLineEnds(line, time);
    line += '\t';
    AppendWithLineEnds(line, details);
    line += "\r\n";
    return line;
}

void WriteEventLogLine(std::ostream& file, const std::string& time, const std::string& details)
{
    const std::string line = FormatEventLogLine(time, details);
    file.write(line.data(), static_cast<std::streamsize>(line.size()));
    file.flush();
}
