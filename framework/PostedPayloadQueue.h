// PostedPayloadQueue: hands payloads from any thread to the window thread
// without ever putting a pointer into a window message.
//
// The window's class name is public, so any process can post any message to
// it with any parameters. A payload therefore stays in this process-local
// queue; the message carries only a token that the queue issued. The receiver
// takes the payloads through that token: unknown tokens release nothing, and
// a token releases every payload queued before it as well, so payloads arrive
// once each and in posting order even if a stranger replays a live token.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <random>
#include <utility>
#include <vector>

#include "common/SlimLock.h"

template <class Payload>
class PostedPayloadQueue
{
public:
    using Token = std::uintptr_t;

    PostedPayloadQueue() : m_nextToken(RandomStart()) {}
    PostedPayloadQueue(const PostedPayloadQueue&) = delete;
    PostedPayloadQueue& operator=(const PostedPayloadQueue&) = delete;

    // Queues the payload and returns its token (never 0).
    Token Push(Payload payload)
    {
        std::lock_guard<SlimMutex> lock(m_mutex);
        Token token = m_nextToken++;
        if (token == 0)
            token = m_nextToken++;
        m_entries.emplace_back(token, std::move(payload));
        return token;
    }

    // Drops a payload whose message could not be posted.
    void Discard(Token token)
    {
        std::lock_guard<SlimMutex> lock(m_mutex);
        const auto found = Find(token);
        if (found != m_entries.end())
            m_entries.erase(found);
        m_taken.notify_all();
    }

    // Takes the payload of token and every payload queued before it, oldest
    // first; nothing if the token is not (or no longer) queued.
    std::vector<Payload> TakeThrough(Token token)
    {
        std::vector<Payload> taken;
        std::lock_guard<SlimMutex> lock(m_mutex);
        const auto found = Find(token);
        if (found == m_entries.end())
            return taken;
        const auto end = std::next(found);
        taken.reserve(static_cast<size_t>(end - m_entries.begin()));
        for (auto entry = m_entries.begin(); entry != end; ++entry)
            taken.push_back(std::move(entry->second));
        m_entries.erase(m_entries.begin(), end);
        m_taken.notify_all();
        return taken;
    }

    // Whether fewer than count payloads are queued; never waits.
    bool HasRoom(size_t count) const
    {
        std::lock_guard<SlimMutex> lock(m_mutex);
        return m_entries.size() < count;
    }

    // Waits up to limit until fewer than count payloads are queued; whether
    // they are.
    bool WaitForRoom(size_t count, std::chrono::milliseconds limit)
    {
        std::unique_lock<SlimMutex> lock(m_mutex);
        return m_taken.wait_for(lock, limit, [&] { return m_entries.size() < count; });
    }

    size_t Size() const
    {
        std::lock_guard<SlimMutex> lock(m_mutex);
        return m_entries.size();
    }

private:
    using Entry = std::pair<Token, Payload>;

    typename std::deque<Entry>::iterator Find(Token token)
    {
        if (token == 0)
            return m_entries.end();
        return std::find_if(m_entries.begin(), m_entries.end(),
                            [token](const Entry& entry) { return entry.first == token; });
    }

    // Tokens start at a random value so that a stranger cannot guess a live one.
    static Token RandomStart()
    {
        std::random_device source;
        const std::uint64_t high = source();
        const std::uint64_t wide = (high << 32) ^ source();
        return static_cast<Token>(wide);
    }

    mutable SlimMutex m_mutex;
    SlimConditionVariable m_taken;
    std::deque<Entry> m_entries;
    Token m_nextToken;
};
