// A hostile program, played by a thread of the test's process: it floods a
// window with the messages the program takes from others (its own hand-over
// messages with tokens it never issued, the jukebox event message with
// numbers and keys the jukebox never issued, and malformed device-change
// broadcasts), mostly sent, partly posted: the sent ones wait for the
// window, so the flood goes at the pace the window takes it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class HostileSender
{
public:
    // Starts sending count messages to window at once.
    HostileSender(HWND window, int count);
    ~HostileSender();  // waits for the thread
    HostileSender(const HostileSender&) = delete;
    HostileSender& operator=(const HostileSender&) = delete;

    bool Done() const { return m_done; }
    void Wait();
    // "100000 messages: 25000 hand-overs, ..." once done.
    std::string Summary() const;

    // Device-change broadcasts no system sends: wrong sizes, other types, no
    // name, a name without a terminator inside its size (the bytes beyond it
    // are not zero either). Each vector is as long as the size it claims, so
    // that the system can copy it.
    static std::vector<std::vector<std::uint8_t>> MalformedBroadcasts();

private:
    void Run() noexcept;

    HWND m_window;
    int m_count;
    int m_handOvers = 0, m_shows = 0, m_logWakes = 0, m_events = 0, m_broadcasts = 0;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Watches how long a window keeps another program waiting: sends it WM_NULL
// over and over from a thread and keeps the longest wait for an answer.
class ResponsivenessProbe
{
public:
    explicit ResponsivenessProbe(HWND window);
    ~ResponsivenessProbe();  // stops
    ResponsivenessProbe(const ResponsivenessProbe&) = delete;
    ResponsivenessProbe& operator=(const ResponsivenessProbe&) = delete;

    double LongestWaitMs() const { return m_longestMicroseconds / 1000.0; }
    int Probes() const { return m_probes; }

private:
    HWND m_window;
    std::atomic<bool> m_stop{false};
    std::atomic<long long> m_longestMicroseconds{0};
    std::atomic<int> m_probes{0};
    std::thread m_thread;
};
