// The reference jukebox's test control, seen from a test or the demo: the
// journal of every call the jukebox received, and events raised on request.
// The calling thread must have initialised COM.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "JukeboxTestControl.h"
#include "framework/ComPtr.h"

struct JournalEntry
{
    std::string operation;
    long windowHandle = 0;
    long number = 0;
    std::wstring text;
    bool textIsNull = false;
};

class JukeboxControl
{
public:
    // Connects to (and if need be starts) the registered reference jukebox.
    JukeboxControl();

    bool Connected() const { return static_cast<bool>(m_control); }
    // The journal from entry first on (all of it by default).
    std::vector<JournalEntry> Journal(long first = 0) const;
    long JournalCount() const;
    // When the jukebox received entry index, on the performance counter in
    // microseconds; 0 outside the journal.
    double JournalTime(long index) const;
    void ClearJournal() const;
    // Posts event number to the registered window, with text (or none).
    bool PostEvent(long number, const std::wstring& text, bool withoutText = false) const;
    HWND RegisteredWindow() const;
    // As if the jukebox were closed and started again: it posts event 6
    // "closed", then "launched", and its player starts afresh.
    bool RestartPlayer() const;
    // The player as a person would read it, in UTF-8.
    std::string DescribePlayer() const;
    // The jukebox acting by itself (its own play button, say): not journaled.
    bool RunPlayerCommand(long command) const;
    // While held, a program's creation of the companion waits, as with a
    // jukebox slow to start; how many creations wait now.
    bool HoldCompanionCreation(bool hold) const;
    long HeldCompanionCreations() const;

    // Waits until the journal holds an entry for which match holds; returns
    // the journal as it was then (or at the time limit).
    std::vector<JournalEntry> WaitForEntry(const std::function<bool(const JournalEntry&)>& match,
                                           std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
    std::vector<JournalEntry> WaitForOperation(const std::string& operation,
                                               std::chrono::milliseconds limit = std::chrono::seconds(30)) const;

private:
    ComPtr<IJukeboxTestControl> m_control;
};

// Reads the journal as it grows, from its length at construction on, so that
// a long run reads each entry once.
class JournalFollower
{
public:
    explicit JournalFollower(const JukeboxControl& jukebox) : m_jukebox(jukebox), m_next(jukebox.JournalCount()) {}
    // The entries recorded since the last call.
    std::vector<JournalEntry> Next();

private:
    const JukeboxControl& m_jukebox;
    long m_next;
};

// Whether a reference jukebox server process exists; when the processes
// cannot be listed it is assumed to, so that a wait for its end fails clearly.
bool JukeboxServerRuns();
// Ends every reference jukebox server process at once, as a crash would, and
// waits for them to be gone; how many it ended. Wine then keeps the class
// registration stale for the rest of the session.
int KillJukeboxServers();

// The journal's operation names in order, for compact comparisons.
std::vector<std::string> Operations(const std::vector<JournalEntry>& journal);
// The numbers of the commands in the journal (SendCommand and
// SendCommandWithData), in order.
std::vector<long> CommandNumbers(const std::vector<JournalEntry>& journal);
// Text for a terminal or a file, in UTF-8.
std::string Utf8(const std::wstring& text);
// Readable form of one entry, for failure messages.
std::string Describe(const JournalEntry& entry);
