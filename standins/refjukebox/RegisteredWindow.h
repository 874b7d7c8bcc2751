#pragma once

// The program's window as it announced it with RegisterWindow: where jukebox
// events go. Handles travel as 32-bit values; on 64-bit Windows a window
// handle is sign-extended from them.
class CRegisteredWindow
{
public:
    void Set(long windowHandle) noexcept { m_windowHandle = windowHandle; }
    long Get() const noexcept { return m_windowHandle; }

    // Posts the jukebox event message (wParam = event number, lParam = key).
    // False when no window is registered or the post failed, e.g. because the
    // window is gone.
    bool PostEvent(long eventNumber, long key) const;

private:
    long m_windowHandle = 0;
};

// Posts the jukebox event message to the given window; false when the post
// failed, e.g. because the window is gone.
bool PostJukeboxEvent(long windowHandle, long eventNumber, long key);
