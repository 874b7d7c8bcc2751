#include "jukebox/JukeboxCommandChannel.h"

#include <optional>
#include <string>

#include "common/EventLog.h"
#include "framework/PayloadPost.h"
#include "framework/String.h"
#include "framework/UniqueBstr.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "jukebox/AnsiToBstr.h"

namespace {

struct JukeboxCommand
{
    int number = 0;
    std::optional<std::string> text;
};

PostedPayloadQueue<JukeboxCommand>& PendingCommands()
{
    static PostedPayloadQueue<JukeboxCommand> pending;
    return pending;
}

LONG WindowHandleValue(HWND window)
{
    // Window handles are 32-bit values on 64-bit Windows too.
    return static_cast<LONG>(reinterpret_cast<LONG_PTR>(window));
}

void SendToJukebox(const JukeboxCommand& command, IJukeboxLink* link, HWND mainWindow)
{
    CString line;
    if (!command.text) {
        LONG result = 0;
        if (link != nullptr)
            link->SendCommand(WindowHandleValue(mainWindow), command.number, &result);
        line.Format("Command to Cantora: %i", command.number);
    } else {
        UniqueBstr data(AnsiToBstr(command.text->c_str()));
        LONG result = 0;
        if (link != nullptr)
            link->SendCommandWithData(WindowHandleValue(mainWindow), command.number, data.Get(), &result);
        line.Format("Command to Cantora: %i  Data: %s", command.number, command.text->c_str());
    }
    AppendLogLine(line);
}

}  // namespace

void PostJukeboxCommand(int command, const char* text)
{
    JukeboxCommand payload;
    payload.number = command;
    if (text != nullptr)
        payload.text = std::string(text);

    CWinThread* thread = AfxGetThread();
    CWnd* mainWindow = thread != nullptr ? thread->GetMainWnd() : nullptr;
    if (mainWindow == nullptr)
        return;
    PostPayloadMessage(mainWindow->GetSafeHwnd(), WM_JUKEBOX_COMMAND, static_cast<WPARAM>(static_cast<UINT>(command)),
                       PendingCommands(), std::move(payload));
}

void DeliverJukeboxCommands(LPARAM token, IJukeboxLink* link, HWND mainWindow)
{
    for (const JukeboxCommand& command : PendingCommands().TakeThrough(static_cast<std::uintptr_t>(token)))
        SendToJukebox(command, link, mainWindow);
}
