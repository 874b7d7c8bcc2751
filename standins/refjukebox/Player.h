#pragma once
#include "Playlist.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The reference jukebox's player: a made-up playlist, the transport, volume,
// shuffle and repeat, and a play position that advances with time. Every
// command reaches it after the link object has journaled it; README.md has
// the table of command numbers and events.
//
// The player tells the program about itself only through events: answers to
// the query commands go to the window that asked, notifications of changed
// state to the window registered last. Time moves the player on only when it
// is asked something (a command, a query), so whatever it notifies follows a
// call from the program and the program can rely on that order.
//
// Windows-free, so that it can be tested natively with a clock of the test's
// own.
class CPlayer
{
public:
    // Milliseconds since any fixed moment; never goes back.
    using Clock = std::function<std::int64_t()>;
    // window 0 means the window registered last.
    using EventSink = std::function<void(long window, long eventNumber, const std::wstring& text)>;

    explicit CPlayer(EventSink sink, Clock clock = SteadyClock);

    // Returns 1 for a command carried out, 0 for an unknown number or a data
    // text the command refused.
    long HandleCommand(long window, long command, const std::optional<std::wstring>& data);

    // A program registered its window. A jukebox that a program started
    // announces its launch to the first window registered with it.
    void WindowRegistered();
    // A test connected before any program registered: the test decides what
    // the program is to hear, so the launch goes unannounced.
    void KeepLaunchQuiet();
    // As if the jukebox were closed and started again while the program
    // runs: "closed", everything back as at the start, "launched".
    void Restart();

    // 0 stopped, 1 playing, 2 paused.
    long State();
    // One line for a person: play state, track, position, volume, mute,
    // shuffle and repeat.
    std::wstring Describe();

    static std::int64_t SteadyClock();

private:
    enum class PlayState { Stopped, Playing, Paused };
    enum class Launch { Pending, Announced, Quiet };

    // What the notifications report, to find out what a command changed.
    struct Snapshot
    {
        PlayState state;
        std::wstring flags;
        bool repeat;
        long volume;
        long level;
        bool shuffle;
    };

    long Run(long window, long command, const std::optional<std::wstring>& data);
    long RunWithNumber(long command, long number);
    bool Query(long window, long command);

    void Reset();
    void CatchUp();
    // Lets time move the player on and notifies what that changed.
    void CatchUpAndNotify();
    Snapshot Take() const;
    // Notifies what differs from before, or everything without a before.
    void NotifyState(const Snapshot* before);
    void Notify(long eventNumber, const std::wstring& text) const;

    const Track& Current() const;
    std::optional<std::size_t> NextPlace() const;
    std::optional<std::size_t> PreviousPlace() const;
    std::wstring FlagsText() const;
    long Level() const;

    void Play();
    void Pause();
    void Stop();
    void MoveTo(std::size_t place);
    bool Seek(std::int64_t positionMs);
    void SetShuffle(bool on);
    bool PlayTitleContaining(const std::wstring& text);
    bool StoreSetting(const std::wstring& text);

    EventSink m_sink;
    Clock m_clock;
    const std::vector<Track>& m_tracks;
    Launch m_launch = Launch::Pending;

    // The playing order (indices into m_tracks) and the place in it.
    std::vector<std::size_t> m_order;
    std::size_t m_place = 0;
    PlayState m_state = PlayState::Stopped;
    // The position when m_sinceMs was read from the clock.
    std::int64_t m_positionMs = 0;
    std::int64_t m_sinceMs = 0;
    long m_volume = 0;
    bool m_muted = false;
    bool m_shuffle = false;
    bool m_repeat = false;
    // Whether the last command that carries a text accepted it.
    bool m_lastAccepted = true;
    std::map<std::wstring, std::wstring> m_settings;
};
