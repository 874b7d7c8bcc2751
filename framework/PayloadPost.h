// Posting a window message whose payload waits in a PostedPayloadQueue.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <utility>

#include "framework/PostedPayloadQueue.h"

// At most this many payloads wait for a window. The posting thread (never
// the window's own) waits for room beyond it, so a producer faster than the
// window, a key held down while the jukebox is slow, is slowed down instead
// of growing the queue without bound; the system's own limit on posted
// messages (10,000 a queue on Windows), past which posts would fail and their
// payloads be lost, is never reached.
constexpr size_t kMaxPayloadsWaiting = 1024;

// Queues payload and posts message to window with the payload's token as
// lParam. If the post fails, the payload is dropped at once; false then, and
// also when the window went away while this thread waited for room.
template <class Payload>
bool PostPayloadMessage(HWND window, UINT message, WPARAM wParam, PostedPayloadQueue<Payload>& queue, Payload payload)
{
    // A null window would turn the post into a thread message.
    if (window == nullptr)
        return false;
    // Only another thread waits: the window's own would wait for itself. The
    // check for room does not wait at all (a timed wait of no time still
    // sleeps for a timer tick).
    while (!queue.HasRoom(kMaxPayloadsWaiting) &&
           ::GetWindowThreadProcessId(window, nullptr) != ::GetCurrentThreadId()) {
        if (!::IsWindow(window))
            return false;
        queue.WaitForRoom(kMaxPayloadsWaiting, std::chrono::milliseconds(10));
    }
    const auto token = queue.Push(std::move(payload));
    if (::PostMessageA(window, message, wParam, static_cast<LPARAM>(token)))
        return true;
    queue.Discard(token);
    return false;
}
