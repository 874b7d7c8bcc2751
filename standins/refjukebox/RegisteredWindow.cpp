#include "RegisteredWindow.h"

#include <windows.h>

namespace
{

// The program and the jukebox agree on the event message by its name only.
UINT JukeboxEventMessage()
{
    static const UINT message =
        RegisterWindowMessageA("VorirudaEventMessage_263EDFD2C5C6412a9DBEE9E7D27AF902");
    return message;
}

} // namespace

bool CRegisteredWindow::PostEvent(long eventNumber, long key) const
{
    return PostJukeboxEvent(m_windowHandle, eventNumber, key);
}

bool PostJukeboxEvent(long windowHandle, long eventNumber, long key)
{
    const UINT message = JukeboxEventMessage();
    if (windowHandle == 0 || message == 0)
        return false;
    const HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(windowHandle));
    // The program keys its handlers by the unsigned event number.
    const WPARAM wParam = static_cast<WPARAM>(static_cast<unsigned long>(eventNumber));
    return PostMessageA(window, message, wParam, static_cast<LPARAM>(key)) != FALSE;
}
