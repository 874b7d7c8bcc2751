// One launcher at a time. From looking for a running program until the one it
// started has its window, a launcher holds a mutex of the session, which the
// next launcher waits for: two starts in quick succession (the logon start and
// a Start menu entry, say) then still give one bridge, although the program
// shows its window only once the jukebox has answered.
#pragma once

#include <windows.h>

#include "framework/UniqueHandle.h"

class LauncherTurn
{
public:
    // Waits up to limitMilliseconds for the turn.
    explicit LauncherTurn(DWORD limitMilliseconds);

    bool Taken() const { return static_cast<bool>(m_ownership); }

private:
    UniqueHandle m_mutex;
    // Released before the handle is closed: members go in reverse.
    UniqueResource<HANDLE, &::ReleaseMutex> m_ownership;
};
