#include "Player.h"

#include <algorithm>
#include <chrono>
#include <numeric>

namespace
{

// Command numbers (README.md, "Commands").
enum Command : long
{
    kPlay = 1,
    kPause = 2,
    kStop = 3,
    kNextTrack = 4,
    kPreviousTrack = 5,
    kSeekForward = 6,
    kSeekBackward = 7,
    kVolumeUp = 8,
    kVolumeDown = 9,
    kMute = 10,
    kSetVolume = 11,
    kAskVolume = 12,
    kShuffle = 13,
    kRepeat = 14,
    kPlayPause = 15,
    kFirstTrack = 16,
    kLastTrack = 17,
    kSkipForward = 18,
    kSkipBackward = 19,
    kPlayTrackNumber = 20,
    kAskTitle = 100,
    kAskArtist = 101,
    kAskAlbum = 102,
    kAskVersion = 104,
    kAskGenre = 105,
    kAskStatus = 106,
    kAskNextTitle = 107,
    kAskPath = 108,
    kAskPosition = 109,
    kSeekToSecond = 200,
    kPlayTitle = 201,
    kReportState = 202,
    kSetting = 203,
    kRemoteChanged = 204,
};

// Event numbers of the notifications.
enum Event : long
{
    kFlagsEvent = 1,
    kPlayStateEvent = 2,
    kRepeatEvent = 3,
    kLevelEvent = 4,
    kVolumeEvent = 5,
    kLaunchEvent = 6,
    kTransportEvent = 7,
};

constexpr long kStartVolume = 50;
constexpr long kVolumeStep = 5;
constexpr std::int64_t kShortSeekMs = 10000;
constexpr std::int64_t kLongSeekMs = 60000;
constexpr wchar_t kVersion[] = L"2.7.1234";

// A plain count: 1 to 9 decimal digits, nothing else.
std::optional<long> CountOf(const std::wstring& text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    long value = 0;
    for (const wchar_t digit : text)
    {
        if (digit < L'0' || digit > L'9')
            return std::nullopt;
        value = value * 10 + (digit - L'0');
    }
    return value;
}

wchar_t FoldCase(wchar_t character)
{
    return (character >= L'A' && character <= L'Z') ? static_cast<wchar_t>(character - L'A' + L'a')
                                                      : character;
}

bool ContainsIgnoringCase(const std::wstring& text, const std::wstring& part)
{
    const auto found = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                   [](wchar_t left, wchar_t right)
                                   { return FoldCase(left) == FoldCase(right); });
    return found != text.end();
}

// The same shuffled order every time (Fisher-Yates over a small linear
// congruential generator), so that tests can predict it.
std::vector<std::size_t> ShuffledOrder(std::size_t count)
{
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::uint32_t seed = 20261207u;
    for (std::size_t at = count; at > 1; --at)
    {
        seed = seed * 1664525u + 1013904223u;
        std::swap(order[at - 1], order[(seed >> 8) % at]);
    }
    return order;
}

} // namespace

CPlayer::CPlayer(EventSink sink, Clock clock)
    : m_sink(std::move(sink)), m_clock(std::move(clock)), m_tracks(MadeUpPlaylist())
{
    Reset();
}

std::int64_t CPlayer::SteadyClock()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long CPlayer::HandleCommand(long window, long command, const std::optional<std::wstring>& data)
{
    // Time first, so that what it changed is notified before the command's
    // own changes.
    CatchUpAndNotify();

    const Snapshot before = Take();
    const long result = Run(window, command, data);
    NotifyState(&before);
    return result;
}

void CPlayer::WindowRegistered()
{
    if (m_launch != Launch::Pending)
        return;
    m_launch = Launch::Announced;
    Notify(kLaunchEvent, L"launched");
}

void CPlayer::KeepLaunchQuiet()
{
    if (m_launch == Launch::Pending)
        m_launch = Launch::Quiet;
}

void CPlayer::Restart()
{
    Notify(kLaunchEvent, L"closed");
    Reset();
    Notify(kLaunchEvent, L"launched");
}

long CPlayer::State()
{
    CatchUpAndNotify();
    switch (m_state)
    {
    case PlayState::Playing:
        return 1;
    case PlayState::Paused:
        return 2;
    case PlayState::Stopped:
        break;
    }
    return 0;
}

std::wstring CPlayer::Describe()
{
    CatchUpAndNotify();
    const auto clock = [](std::int64_t ms) {
        const std::int64_t seconds = ms / 1000;
        const std::wstring tens = seconds % 60 < 10 ? L"0" : L"";
        return std::to_wstring(seconds / 60) + L":" + tens + std::to_wstring(seconds % 60);
    };
    const Track& track = Current();
    std::wstring text = m_state == PlayState::Playing  ? L"playing"
                        : m_state == PlayState::Paused ? L"paused"
                                                        : L"stopped";
    text += L" \"" + track.title + L"\" (track " + std::to_wstring(m_order[m_place] + 1) + L" of " +
            std::to_wstring(m_tracks.size()) + L", " + clock(m_positionMs) + L" of " +
            clock(track.lengthMs) + L"), volume " + std::to_wstring(m_volume);
    text += m_muted ? L" muted" : L"";
    text += m_shuffle ? L", shuffle on" : L", shuffle off";
    text += m_repeat ? L", repeat on" : L", repeat off";
    return text;
}

long CPlayer::Run(long window, long command, const std::optional<std::wstring>& data)
{
    if (Query(window, command))
        return 1;
    switch (command)
    {
    case kPlay:
        Play();
        return 1;
    case kPause:
        Pause();
        return 1;
    case kStop:
        Stop();
        return 1;
    case kPlayPause:
        m_state == PlayState::Playing ? Pause() : Play();
        return 1;
    case kNextTrack:
        if (const auto next = NextPlace())
            MoveTo(*next);
        return 1;
    case kPreviousTrack:
        if (const auto previous = PreviousPlace())
            MoveTo(*previous);
        return 1;
    case kFirstTrack:
        MoveTo(0);
        return 1;
    case kLastTrack:
        MoveTo(m_order.size() - 1);
        return 1;
    case kSeekForward:
        Seek(m_positionMs + kShortSeekMs);
        return 1;
    case kSeekBackward:
        Seek(m_positionMs - kShortSeekMs);
        return 1;
    case kSkipForward:
        Seek(m_positionMs + kLongSeekMs);
        return 1;
    case kSkipBackward:
        Seek(m_positionMs - kLongSeekMs);
        return 1;
    case kVolumeUp:
        m_volume = std::min(m_volume + kVolumeStep, 100L);
        return 1;
    case kVolumeDown:
        m_volume = std::max(m_volume - kVolumeStep, 0L);
        return 1;
    case kMute:
        m_muted = !m_muted;
        return 1;
    case kShuffle:
        SetShuffle(!m_shuffle);
        return 1;
    case kRepeat:
        m_repeat = !m_repeat;
        return 1;
    case kReportState:
    case kRemoteChanged:
        NotifyState(nullptr);
        return 1;
    case kSetVolume:
    case kPlayTrackNumber:
    case kSeekToSecond:
    case kPlayTitle:
    case kSetting:
        break;
    default:
        return 0;
    }

    // The commands that carry a text; the status query reports whether the
    // latest of them was accepted.
    bool accepted = false;
    if (data)
    {
        if (command == kPlayTitle)
            accepted = PlayTitleContaining(*data);
        else if (command == kSetting)
            accepted = StoreSetting(*data);
        else if (const auto number = CountOf(*data))
            accepted = RunWithNumber(command, *number) != 0;
    }
    m_lastAccepted = accepted;
    return accepted ? 1 : 0;
}

long CPlayer::RunWithNumber(long command, long number)
{
    switch (command)
    {
    case kSetVolume:
        if (number > 100)
            return 0;
        m_volume = number;
        return 1;
    case kPlayTrackNumber:
        if (number < 1 || static_cast<std::size_t>(number) > m_tracks.size())
            return 0;
        MoveTo(static_cast<std::size_t>(
            std::find(m_order.begin(), m_order.end(), static_cast<std::size_t>(number - 1)) -
            m_order.begin()));
        Play();
        return 1;
    case kSeekToSecond:
        if (std::int64_t{number} * 1000 >= Current().lengthMs)
            return 0;
        return Seek(std::int64_t{number} * 1000) ? 1 : 0;
    default:
        return 0;
    }
}

bool CPlayer::Query(long window, long command)
{
    std::wstring answer;
    switch (command)
    {
    case kAskVolume:
        answer = std::to_wstring(m_volume);
        break;
    case kAskTitle:
        answer = Current().title;
        break;
    case kAskArtist:
        answer = Current().artist;
        break;
    case kAskAlbum:
        answer = Current().album;
        break;
    case kAskVersion:
        answer = kVersion;
        break;
    case kAskGenre:
        answer = Current().genre;
        break;
    case kAskStatus:
        answer = m_lastAccepted ? L"ok" : L"error";
        break;
    case kAskNextTitle:
        if (const auto next = NextPlace())
            answer = m_tracks[m_order[*next]].title;
        break;
    case kAskPath:
        answer = Current().path;
        break;
    case kAskPosition:
        answer = m_state == PlayState::Stopped ? L"not_playing" : std::to_wstring(m_positionMs);
        break;
    default:
        return false;
    }
    m_sink(window, command, answer);
    return true;
}

void CPlayer::Reset()
{
    m_order.resize(m_tracks.size());
    std::iota(m_order.begin(), m_order.end(), std::size_t{0});
    m_place = 0;
    m_state = PlayState::Stopped;
    m_positionMs = 0;
    m_sinceMs = m_clock();
    m_volume = kStartVolume;
    m_muted = false;
    m_shuffle = false;
    m_repeat = false;
    m_lastAccepted = true;
    m_settings.clear();
}

void CPlayer::CatchUp()
{
    const std::int64_t now = m_clock();
    if (m_state == PlayState::Playing)
        m_positionMs += std::max<std::int64_t>(now - m_sinceMs, 0);
    m_sinceMs = now;
    while (m_state == PlayState::Playing && m_positionMs >= Current().lengthMs)
    {
        m_positionMs -= Current().lengthMs;
        if (const auto next = NextPlace())
        {
            m_place = *next;
        }
        else
        {
            // The end of the playlist: back to its start, stopped.
            m_place = 0;
            m_positionMs = 0;
            m_state = PlayState::Stopped;
        }
    }
}

void CPlayer::CatchUpAndNotify()
{
    const Snapshot before = Take();
    CatchUp();
    NotifyState(&before);
}

CPlayer::Snapshot CPlayer::Take() const
{
    return Snapshot{m_state, FlagsText(), m_repeat, m_volume, Level(), m_shuffle};
}

void CPlayer::NotifyState(const Snapshot* before)
{
    const Snapshot now = Take();
    if (!before || now.state != before->state)
        Notify(kPlayStateEvent, now.state == PlayState::Playing  ? L"playing"
                                : now.state == PlayState::Paused ? L"paused"
                                                                  : L"stopped");
    if (!before || now.flags != before->flags)
        Notify(kFlagsEvent, now.flags);
    if (!before || now.repeat != before->repeat)
        Notify(kRepeatEvent, now.repeat ? L"repeat" : L"off");
    if (!before || now.volume != before->volume)
        Notify(kVolumeEvent, std::to_wstring(now.volume));
    if (!before || now.level != before->level)
        Notify(kLevelEvent, std::to_wstring(now.level));
    if (!before || now.shuffle != before->shuffle)
        Notify(kTransportEvent, now.shuffle ? L"shuffle" : L"normal");
}

void CPlayer::Notify(long eventNumber, const std::wstring& text) const
{
    m_sink(0, eventNumber, text);
}

const Track& CPlayer::Current() const
{
    return m_tracks[m_order[m_place]];
}

std::optional<std::size_t> CPlayer::NextPlace() const
{
    if (m_place + 1 < m_order.size())
        return m_place + 1;
    if (m_repeat)
        return std::size_t{0};
    return std::nullopt;
}

std::optional<std::size_t> CPlayer::PreviousPlace() const
{
    if (m_place > 0)
        return m_place - 1;
    if (m_repeat)
        return m_order.size() - 1;
    return std::nullopt;
}

std::wstring CPlayer::FlagsText() const
{
    // t: a title, #: a number on its album, n: a track follows, a: an artist.
    const Track& track = Current();
    std::wstring flags;
    if (!track.title.empty())
        flags += L't';
    if (track.albumNumber > 0)
        flags += L'#';
    if (NextPlace())
        flags += L'n';
    if (!track.artist.empty())
        flags += L'a';
    return flags;
}

long CPlayer::Level() const
{
    return m_muted ? 0 : m_volume;
}

void CPlayer::Play()
{
    if (m_state == PlayState::Playing)
        return;
    m_state = PlayState::Playing;
    m_sinceMs = m_clock();
}

void CPlayer::Pause()
{
    if (m_state == PlayState::Playing)
        m_state = PlayState::Paused;
}

void CPlayer::Stop()
{
    m_state = PlayState::Stopped;
    m_positionMs = 0;
}

void CPlayer::MoveTo(std::size_t place)
{
    m_place = place;
    m_positionMs = 0;
    m_sinceMs = m_clock();
}

bool CPlayer::Seek(std::int64_t positionMs)
{
    if (m_state == PlayState::Stopped)
        return false;
    const std::int64_t target = std::clamp<std::int64_t>(positionMs, 0, Current().lengthMs - 1);
    Notify(kTransportEvent, target >= m_positionMs ? L"seek_forward" : L"seek_backward");
    m_positionMs = target;
    return true;
}

void CPlayer::SetShuffle(bool on)
{
    const std::size_t track = m_order[m_place];
    m_shuffle = on;
    if (on)
    {
        // The current track stays; the others follow in shuffled order.
        m_order = ShuffledOrder(m_tracks.size());
        const auto current = std::find(m_order.begin(), m_order.end(), track);
        std::rotate(m_order.begin(), current, current + 1);
        m_place = 0;
    }
    else
    {
        std::iota(m_order.begin(), m_order.end(), std::size_t{0});
        m_place = track;
    }
}

bool CPlayer::PlayTitleContaining(const std::wstring& text)
{
    if (text.empty())
        return false;
    for (std::size_t place = 0; place < m_order.size(); ++place)
    {
        if (ContainsIgnoringCase(m_tracks[m_order[place]].title, text))
        {
            MoveTo(place);
            Play();
            return true;
        }
    }
    return false;
}

bool CPlayer::StoreSetting(const std::wstring& text)
{
    const std::size_t equals = text.find(L'=');
    if (equals == 0 || equals == std::wstring::npos)
        return false;
    m_settings[text.substr(0, equals)] = text.substr(equals + 1);
    return true;
}
