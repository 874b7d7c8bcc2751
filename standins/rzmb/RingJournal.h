// A journal of fixed capacity in shared memory: plain data, valid when zeroed.
// Once full, each new entry replaces the oldest; entries keep their index.
#pragma once

#include <cstdint>

template <class Entry, std::uint32_t Capacity>
struct RingJournal
{
    std::uint32_t total;
    Entry entries[Capacity];

    void Append(const Entry& entry)
    {
        entries[total % Capacity] = entry;
        ++total;
    }

    // Entry number index (0 for the first ever appended); false if it is not
    // yet written or already replaced.
    bool At(std::uint32_t index, Entry& entry) const
    {
        if (index >= total || total - index > Capacity)
            return false;
        entry = entries[index % Capacity];
        return true;
    }

    void Clear() { total = 0; }
};
