#include "CreationHold.h"

#include <windows.h>

void CCreationHold::WaitWhileHeld()
{
    constexpr DWORD kLimit = 60000;
    const DWORD start = GetTickCount();
    bool quit = false;
    WPARAM quitCode = 0;
    ++m_waiting;
    // Incoming calls reach this single-threaded apartment as window messages:
    // the one that lifts the hold among them.
    for (DWORD elapsed = 0; m_held && elapsed < kLimit; elapsed = GetTickCount() - start)
    {
        MSG message;
        while (m_held && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.message == WM_QUIT)
            {
                quit = true;
                quitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (m_held)
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kLimit - elapsed, QS_ALLINPUT);
    }
    --m_waiting;
    // The server's own loop decides about quitting.
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
}
