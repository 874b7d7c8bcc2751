#include "EventStore.h"

#include <climits>
#include <utility>

long CEventStore::Store(std::optional<std::wstring> text)
{
    const long key = m_nextKey;
    // Keys stay positive: they travel as a signed 32-bit lParam.
    m_nextKey = (m_nextKey == LONG_MAX) ? 1 : m_nextKey + 1;
    m_texts[key] = std::move(text);
    return key;
}

const std::optional<std::wstring>* CEventStore::Find(long key) const
{
    const auto found = m_texts.find(key);
    return found == m_texts.end() ? nullptr : &found->second;
}
