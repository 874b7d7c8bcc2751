#include "jukebox/JukeboxEventLogLine.h"

CString JukeboxEventLogLine(std::uint32_t eventNumber, const CString& text)
{
    CString line;
    line.Format("Event %i from Cantora", static_cast<int>(static_cast<std::int32_t>(eventNumber)));
    if (!text.IsEmpty()) {
        line += " with data: ";
        line += text;
    }
    return line;
}
