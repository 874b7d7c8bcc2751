// The substitute module library's journal entries as short texts, for test
// expectations: reads "a4c1+1", writes "a4f3: 01", bytes "02 18 81". Plain
// code on plain data, without the test framework or the module itself, so
// that the handlers' fuzz target can use it as well.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "standins/rzmb/RingJournal.h"
#include "standins/rzmb/RzmbJournal.h"

std::string DescribeRead(const RzmbGetMemEntry& entry);
std::string DescribeWrite(const RzmbSetMemEntry& entry);
std::string HexBytes(const unsigned char* bytes, std::uint32_t length);
std::string HexBytes(const std::vector<unsigned char>& bytes);

// The reply block of a text answer: {n + 2, code, 0x82, the n bytes of text};
// without text {2, code, 0x81}.
std::vector<unsigned char> TextReplyBytes(unsigned char code, const std::string& text);
// The same block as HexBytes gives it: "0a 42 82 48 61 ...".
std::string TextReplyHex(unsigned char code, const std::string& text);

// How many of a write's or block's bytes its entry holds: the first
// RZMB_RECORDED_BYTES of a longer one.
template <class Entry>
std::uint32_t RecordedBytes(const Entry& entry)
{
    return std::min<std::uint32_t>(entry.length, RZMB_RECORDED_BYTES);
}

// The entries a journal still holds, oldest first.
template <class Entry, std::uint32_t Capacity>
std::vector<Entry> Entries(const RingJournal<Entry, Capacity>& journal)
{
    std::vector<Entry> entries;
    for (std::uint32_t i = 0; i < journal.total; ++i) {
        Entry entry{};
        if (journal.At(i, entry))
            entries.push_back(entry);
    }
    return entries;
}
