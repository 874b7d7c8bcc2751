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

// The details column of every row of an event log, top to bottom.
std::vector<std::string> LogDetails(const CListCtrl& eventLog);
