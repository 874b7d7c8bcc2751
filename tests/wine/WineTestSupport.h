// Helpers for tests that run Windows code under Wine.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class CListCtrl;

// Dispatches this thread's messages until done() holds or the (generous)
// time limit passes; returns done()'s last answer.
bool PumpMessagesUntil(const std::function<bool()>& done,
                       std::chrono::milliseconds limit = std::chrono::seconds(20));

// Handles every message waiting for this thread, and what handling them
// posts in turn.
void DrainMessages();

// Runs work on a thread of its own, as the device's reader thread would,
// while this thread keeps handling messages (log lines from other threads are
// sent to the window and wait for it); then handles what the work posted.
// False if the work outlasted the time limit of PumpMessagesUntil.
bool RunOnOtherThreadPumping(const std::function<void()>& work);

// The details column of every row of an event log, top to bottom.
std::vector<std::string> LogDetails(const CListCtrl& eventLog);
