// The remote's key table as the reader thread uses it.
#pragma once

// Runs the action of the key code of one input report; returns when the
// action has posted what it posts. Callable from any thread.
void DispatchRemoteKey(unsigned char code);
