#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One call on a jukebox object, or one object's creation or final release.
struct JournalEntry
{
    std::wstring operation;  // the method name, or CreateX / ReleaseX
    long windowHandle = 0;   // the call's window handle argument, else 0
    long number = 0;         // command number, event key or ping value, else 0
    // The call's text argument with every character; nullopt when the caller
    // passed a null BSTR. Calls without a text argument record an empty text.
    std::optional<std::wstring> text = std::wstring();
    // When the server received the call, on the machine's performance
    // counter, which every process reads alike.
    long long receivedTicks = 0;
};

// Everything the program did to the jukebox, in call order, so that tests can
// check what reached the jukebox and when objects came and went.
class CCallJournal
{
public:
    void Record(JournalEntry entry);
    // A call without a text argument.
    void Record(std::wstring operation, long windowHandle = 0, long number = 0);

    std::size_t Count() const noexcept { return m_entries.size(); }
    // nullptr outside 0 .. Count() - 1.
    const JournalEntry* At(long index) const noexcept;
    void Clear() noexcept { m_entries.clear(); }

private:
    std::vector<JournalEntry> m_entries;
};
