#include "CallJournal.h"

#include <windows.h>

#include <utility>

void CCallJournal::Record(JournalEntry entry)
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    entry.receivedTicks = now.QuadPart;
    m_entries.push_back(std::move(entry));
}

void CCallJournal::Record(std::wstring operation, long windowHandle, long number)
{
    JournalEntry entry;
    entry.operation = std::move(operation);
    entry.windowHandle = windowHandle;
    entry.number = number;
    Record(std::move(entry));
}

const JournalEntry* CCallJournal::At(long index) const noexcept
{
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size())
        return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}
