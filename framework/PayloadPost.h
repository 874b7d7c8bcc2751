// Posting a window message whose payload waits in a PostedPayloadQueue.
#pragma once

#include <windows.h>

#include <utility>

#include "framework/PostedPayloadQueue.h"

// Queues payload and posts message to window with the payload's token as
// lParam. If the post fails, the payload is dropped at once; false then.
template <class Payload>
bool PostPayloadMessage(HWND window, UINT message, WPARAM wParam, PostedPayloadQueue<Payload>& queue, Payload payload)
{
    // A null window would turn the post into a thread message.
    if (window == nullptr)
        return false;
    const auto token = queue.Push(std::move(payload));
    if (::PostMessageA(window, message, wParam, static_cast<LPARAM>(token)))
        return true;
    queue.Discard(token);
    return false;
}
