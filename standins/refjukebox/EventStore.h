#pragma once
#include <optional>
#include <string>
#include <unordered_map>

// The texts of posted events. The event message carries only a key; the
// program fetches the text with GetEventData, possibly more than once, so
// texts are kept for the server's lifetime.
class CEventStore
{
public:
    // Returns a fresh key, never 0 (the program's "no key"). nullopt stores an
    // event without text, which reads back as a null BSTR.
    long Store(std::optional<std::wstring> text);
    // nullptr for a key that was never handed out.
    const std::optional<std::wstring>* Find(long key) const;

private:
    std::unordered_map<long, std::optional<std::wstring>> m_texts;
    long m_nextKey = 1;
};
