#include "jukebox/JukeboxEventChannel.h"

#include <cstdint>

#include "common/EventLog.h"
#include "framework/UniqueBstr.h"
#include "handlers/MsgHandlerRegistry.h"
#include "jukebox/BstrToAnsi.h"
#include "jukebox/JukeboxEventLogLine.h"

namespace {

CString FetchEventText(IJukeboxLink* link, LPARAM key)
{
    if (link == nullptr)
        return CString();
    UniqueBstr data;
    LONG result = 0;
    // A failed call leaves the BSTR null, which reads as the empty text.
    link->GetEventData(static_cast<LONG>(key), data.ReleaseAndGetAddressOf(), &result);
    return BstrToAnsi(data.Get());
}

}  // namespace

void ReceiveJukeboxEvent(IJukeboxLink* link, WPARAM wParam, LPARAM lParam)
{
    const auto eventNumber = static_cast<std::uint32_t>(wParam);
    const CString text = FetchEventText(link, lParam);
    // Whatever the handler queues is therefore queued before the event's log
    // line is written.
    DispatchJukeboxEvent(eventNumber, text);
    AppendLogLine(JukeboxEventLogLine(eventNumber, text));
}
