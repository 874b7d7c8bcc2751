// Helpers for tests that run Windows code under Wine.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

// Dispatches this thread's messages until done() holds or the (generous)
// time limit passes; returns done()'s last answer.
bool PumpMessagesUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(20));
