#include "HostileSender.h"

#include <dbt.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <sstream>

#include "jukebox/JukeboxEventMessage.h"

namespace {

constexpr UINT kSendLimitMs = 5000;

std::vector<std::uint8_t> Broadcast(std::uint32_t size, std::uint32_t type, const std::string& name,
                                    std::uint8_t filler)
{
    std::vector<std::uint8_t> bytes(std::max<std::size_t>(size, 12), filler);
    std::memcpy(bytes.data(), &size, 4);
    std::memcpy(bytes.data() + 4, &type, 4);
    std::memset(bytes.data() + 8, 0, 4);
    if (bytes.size() > 28)
        std::memcpy(bytes.data() + 28, name.data(), std::min(name.size(), bytes.size() - 28));
    return bytes;
}

}  // namespace

std::vector<std::vector<std::uint8_t>> HostileSender::MalformedBroadcasts()
{
    const std::string remote = "\\\\?\\HID#VID_0471&PID_0110#hostile#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    const auto interfaceType = static_cast<std::uint32_t>(DBT_DEVTYP_DEVICEINTERFACE);
    return {
        Broadcast(12, interfaceType, "", 'A'),                                  // the header alone
        Broadcast(28, interfaceType, "", 'A'),                                  // up to the name, no name
        Broadcast(29, interfaceType, "x", 'A'),                                 // one name byte, no terminator
        Broadcast(28 + 20, interfaceType, remote, 'A'),                         // the remote's name cut short
        Broadcast(static_cast<std::uint32_t>(28 + remote.size()), interfaceType, remote, 'A'),  // no terminator
        Broadcast(4096, interfaceType, std::string(4068, 'B'), 'B'),            // all the room, no terminator
        Broadcast(6000, interfaceType, remote + '\0', 'C'),                     // larger than any broadcast
        Broadcast(29, interfaceType, std::string(1, '\0'), 0),                  // an empty name
        Broadcast(static_cast<std::uint32_t>(29 + remote.size()), DBT_DEVTYP_VOLUME, remote + '\0', 0),
        Broadcast(static_cast<std::uint32_t>(29 + remote.size()), DBT_DEVTYP_PORT, remote + '\0', 0),
        Broadcast(static_cast<std::uint32_t>(29 + remote.size()), 0xFFFFFFFF, remote + '\0', 0),
    };
}

HostileSender::HostileSender(HWND window, int count) : m_window(window), m_count(count)
{
    m_thread = std::thread([this] { Run(); });
}

HostileSender::~HostileSender()
{
    Wait();
}

void HostileSender::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void HostileSender::Run() noexcept
{
    const UINT eventMessage = ::RegisterWindowMessageA(kJukeboxEventMessageName);
    const auto broadcasts = MalformedBroadcasts();
    std::mt19937 random(20261207);
    const auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        ::SendMessageTimeoutA(m_window, message, wParam, lParam, SMTO_NORMAL, kSendLimitMs, nullptr);
    };
    for (int i = 0; i < m_count; ++i) {
        const auto anything = static_cast<LPARAM>((static_cast<std::uint64_t>(random()) << 32) | random());
        switch (i % 8) {
        case 0:  // the command and module hand-overs, tokens never issued
        case 1:
            send(WM_APP + 1 + static_cast<UINT>(i % 2) * 2, random(), anything);
            ++m_handOvers;
            break;
        case 2:
        case 3:  // posted, with small numbers as lParam
            ::PostMessageA(m_window, WM_APP + 1 + static_cast<UINT>(i % 2) * 2, random(), i);
            ++m_handOvers;
            break;
        case 4:  // the log's wake-up, with a token never issued
            send(WM_APP + 4, random(), anything);
            ++m_logWakes;
            break;
        case 5: {  // jukebox events the jukebox never issued, posted as it posts them or sent
            const WPARAM number = 0x10000 + random() % 100000;
            const auto key = static_cast<LPARAM>(0x40000000 | random());
            if ((i / 8) % 2 == 0)
                ::PostMessageA(m_window, eventMessage, number, key);
            else
                send(eventMessage, number, key);
            ++m_events;
            break;
        }
        case 6: {
            const auto& broadcast = broadcasts[static_cast<std::size_t>(i / 8) % broadcasts.size()];
            send(WM_DEVICECHANGE, (i / 8) % 2 == 0 ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE,
                 reinterpret_cast<LPARAM>(broadcast.data()));
            ++m_broadcasts;
            break;
        }
        default:
            if (i % 16 == 7) {
                ::PostMessageA(m_window, WM_APP + 2, random(), anything);
                ++m_shows;
            } else if (i % 32 == 15) {  // an arrival without a broadcast
                send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
                ++m_broadcasts;
            } else {  // other device events, lParam no broadcast at all
                ::PostMessageA(m_window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, anything);
                ++m_broadcasts;
            }
        }
    }
    m_done = true;
}

std::string HostileSender::Summary() const
{
    std::ostringstream text;
    text << m_count << " messages: " << m_handOvers << " command and module hand-overs, " << m_logWakes
         << " log wake-ups, " << m_events << " jukebox events never issued, " << m_broadcasts
         << " malformed or foreign device changes, " << m_shows << " show-window";
    return text.str();
}

ResponsivenessProbe::ResponsivenessProbe(HWND window) : m_window(window)
{
    m_thread = std::thread([this] {
        while (!m_stop) {
            const auto start = std::chrono::steady_clock::now();
            if (!::SendMessageTimeoutA(m_window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, nullptr))
                return;
            const auto waited = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
            m_longestMicroseconds = std::max<long long>(m_longestMicroseconds, waited.count());
            ++m_probes;
            // Sampling pace: the probe itself must not load the window.
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

ResponsivenessProbe::~ResponsivenessProbe()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}
