// Arbitrary event texts for every jukebox event handler (and for a few event
// numbers without one). Whatever the text, a handler sends exactly one
// well-formed block for the device module: the length of its form, a count
// byte one less than the length, its own code and an allowed status; the
// state notifications of events 1 to 5 store exactly the value they sent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "RecordedHandlerOutputs.h"
#include "handlers/EventBlock.h"

namespace {

struct EventForm
{
    std::uint32_t event;
    unsigned char code;         // 0 for an event without a handler
    std::uint32_t shortest;     // block lengths this form may have
    std::uint32_t longest;
    bool isReply;
    bool cachesItsValue;
};

// A text reply may fill its block: 3 bytes ahead of at most 37 of text.
constexpr std::uint32_t kTextLongest = EventBlock::kCapacity;

const EventForm kForms[] = {
    {1, 0xA1, 3, 3, false, true},                {2, 0xA2, 3, 3, false, true},
    {3, 0xA8, 3, 3, false, true},                {4, 0xA3, 3, 3, false, true},
    {5, 0xA6, 3, 3, false, true},                {6, 0xA9, 3, 3, false, false},
    {7, 0xA9, 3, 3, false, false},               {12, 0x4C, 5, 5, true, false},
    {100, 0x42, 3, kTextLongest, true, false},   {101, 0x41, 3, kTextLongest, true, false},
    {102, 0x40, 3, kTextLongest, true, false},   {104, 0x4D, 7, 7, true, false},
    {105, 0x4E, 3, kTextLongest, true, false},   {106, 0x4A, 3, 3, true, false},
    {107, 0x46, 3, kTextLongest, true, false},   {108, 0x52, 3, kTextLongest, true, false},
    {109, 0x47, 6, 6, true, false},              {0, 0, 0, 0, false, false},
    {8, 0, 0, 0, false, false},                  {103, 0, 0, 0, false, false},
    {110, 0, 0, 0, false, false},                {4294967295u, 0, 0, 0, false, false},
};

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

bool IsTextReply(const EventForm& form)
{
    return form.isReply && form.longest == kTextLongest;
}

void CheckBlock(const EventForm& form, const std::vector<unsigned char>& block)
{
    Require(block.size() >= form.shortest && block.size() <= form.longest);
    Require(block[0] == block.size() - 1);
    Require(block[1] == form.code);
    if (!form.isReply)
        return;
    const unsigned char status = block[2];
    Require(status == 0x81 || status == 0x82 || status == 0x83);
    if (form.event != 106)
        Require(status != 0x83);
    if (IsTextReply(form)) {
        Require((status == 0x82) == (block.size() > 3));
        for (std::size_t at = 3; at < block.size(); ++at)
            Require(block[at] != '"');
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const EventForm& form = kForms[data[0] % (sizeof kForms / sizeof kForms[0])];
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<HandlerOutput> outputs = OutputsOfEvent(form.event, text);

    if (form.code == 0) {
        Require(outputs.empty());
        return 0;
    }
    // The handler sees the text up to its first NUL, as the program hands it over.
    const bool launched = std::strcmp(text.c_str(), "launched") == 0 && form.event == 6;
    std::size_t at = 0;
    if (launched) {
        Require(outputs.size() > at && outputs[at].kind == HandlerOutput::Kind::WmAppcommandZero);
        ++at;
    }
    Require(outputs.size() > at && outputs[at].kind == HandlerOutput::Kind::Block);
    const std::vector<unsigned char>& block = outputs[at].bytes;
    CheckBlock(form, block);
    ++at;
    if (form.cachesItsValue) {
        Require(outputs.size() > at && outputs[at].kind == HandlerOutput::Kind::StateStore);
        Require(outputs[at].bytes == std::vector<unsigned char>({block[1], block[2]}));
        ++at;
    }
    Require(outputs.size() == at);
    return 0;
}
