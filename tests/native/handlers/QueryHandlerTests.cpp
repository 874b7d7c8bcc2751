// Events 12 and 100 to 109: one reply block each, and nothing else.
#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "JournalText.h"
#include "RecordedHandlerOutputs.h"

using ::testing::ElementsAre;

namespace {

using Bytes = std::vector<unsigned char>;

struct ReplyCase
{
    std::string text;
    Bytes block;
};

void ExpectReplies(std::uint32_t event, const std::vector<ReplyCase>& cases)
{
    for (const ReplyCase& reply : cases) {
        SCOPED_TRACE("event " + std::to_string(event) + " \"" + reply.text + "\"");
        EXPECT_THAT(OutputsOfEvent(event, reply.text), ElementsAre(Block(reply.block)));
    }
}

const std::string kLetters37 = "abcdefghijklmnopqrstuvwxyz0123456789A";

TEST(QueryHandlerTest, TextAnswersAreTrimmedUnquotedAndCutTo37Bytes)
{
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"", ""},
        {"Harbour Lights", "Harbour Lights"},
        {"     ", ""},
        {"\t\r\n\v\f ", ""},
        {"\"\"\"", ""},
        {"  \"", "  "},
        {"title \r\n", "title"},
        {"say \"hi\" twice", "say hi twice"},
        {"\"quoted\"", "quoted"},
        {"a \" ", "a "},
        {"  leading", "  leading"},
        {"caf\xE9", "caf\xE9"},
        {kLetters37, kLetters37},
        {kLetters37 + "B", kLetters37},
        {kLetters37 + "0123456789012", kLetters37},
        {"\"" + kLetters37 + "\"", kLetters37},
        {std::string(36, 'x') + "\"\"y", std::string(36, 'x') + "y"},
        {std::string(255, ' ') + "after", ""},
        {std::string(254, ' ') + "after", std::string(37, ' ')},
        {std::string(255, 'x') + "y", std::string(37, 'x')},
        {std::string(251, '"') + "tail", "tail"},
        {std::string(252, '"') + "tail", "tai"},
        {std::string(255, '"') + "tail", ""},
    };
    const std::pair<std::uint32_t, unsigned char> events[] = {{100, 0x42}, {101, 0x41}, {102, 0x40}, {105, 0x4E}, {107, 0x46}};
    for (const auto& [event, code] : events) {
        std::vector<ReplyCase> cases;
        for (const auto& [text, sent] : texts)
            cases.push_back({text, TextReplyBytes(code, sent)});
        ExpectReplies(event, cases);
    }
}

TEST(QueryHandlerTest, Event108SendsWhatStandsInsideAQuotedPath)
{
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"\"C:\\Music\\Tide.mp3\"", "C:\\Music\\Tide.mp3"},
        {"\\\\nas\\music\\Tide.mp3", "\\\\nas\\music\\Tide.mp3"},
        {"\\\\nas\\\"odd\"", "\\\\nas\\odd"},
        {"\\\\", "\\\\"},
        {"\\single", "single"},
        {"abc", "bc"},
        {"C:\\x", ":\\x"},
        {"", ""},
        {"x", ""},
        {"\"", ""},
        {"\"\"", ""},
        {"\"unterminated ", "unterminated"},
        {"\"first\" \"second\"", "first"},
        // The quote that would protect the blanks is gone before the trimming.
        {"\"  \"", ""},
        {"\\\\" + std::string(40, 'p'), "\\\\" + std::string(35, 'p')},
        {"\"" + std::string(300, 'p') + "\"", std::string(37, 'p')},
    };
    std::vector<ReplyCase> cases;
    for (const auto& [text, sent] : texts)
        cases.push_back({text, TextReplyBytes(0x52, sent)});
    ExpectReplies(108, cases);
}

TEST(QueryHandlerTest, Event104PacksThreeDottedNumbers)
{
    ExpectReplies(104, {
        {"7.3.245", {0x06, 0x4D, 0x82, 0x07, 0x03, 0x02, 0x45}},
        {"25.12.99", {0x06, 0x4D, 0x82, 0x25, 0x12, 0x00, 0x99}},
        {"2.7.1234", {0x06, 0x4D, 0x82, 0x02, 0x07, 0x12, 0x34}},
        {" 7 . 3 . 245", {0x06, 0x4D, 0x82, 0x07, 0x03, 0x02, 0x45}},
        {"1.2.3.4", {0x06, 0x4D, 0x82, 0x01, 0x02, 0x00, 0x03}},
        {"1..2", {0x06, 0x4D, 0x82, 0x01, 0x00, 0x00, 0x02}},
        {"a.b.c", {0x06, 0x4D, 0x82, 0x00, 0x00, 0x00, 0x00}},
        {".", {0x06, 0x4D, 0x82, 0x00, 0x00, 0x00, 0x00}},
        {"1.2", {0x06, 0x4D, 0x82, 0x00, 0x00, 0x00, 0x00}},
        {"", {0x06, 0x4D, 0x82, 0x00, 0x00, 0x00, 0x00}},
        // Each number is cut to its low 8 bits before it is packed:
        // -1 is 255, 300 is 44, -245 / 100 is -2 (254), -245 % 100 is -45 (211).
        {"-1.300.-245", {0x06, 0x4D, 0x82, 0x95, 0x44, 0x94, 0x51}},
        {"99.100.25599", {0x06, 0x4D, 0x82, 0x99, 0xA0, 0x95, 0x99}},
        {"99999999999.0.0", {0x06, 0x4D, 0x82, 0x95, 0x00, 0x00, 0x00}},
    });
}

TEST(QueryHandlerTest, Event106KnowsOkAndError)
{
    ExpectReplies(106, {
        {"ok", {0x02, 0x4A, 0x82}},
        {"error", {0x02, 0x4A, 0x83}},
        {"OK", {0x02, 0x4A, 0x81}},
        {"ERROR", {0x02, 0x4A, 0x81}},
        {"ok ", {0x02, 0x4A, 0x81}},
        {"", {0x02, 0x4A, 0x81}},
        {"busy", {0x02, 0x4A, 0x81}},
    });
}

TEST(QueryHandlerTest, Event109PacksThePlayingTime)
{
    ExpectReplies(109, {
        {"not_playing", {0x05, 0x47, 0x81, 0x00, 0x00, 0x00}},
        {"", {0x05, 0x47, 0x82, 0x00, 0x00, 0x00}},
        {"Not_playing", {0x05, 0x47, 0x82, 0x00, 0x00, 0x00}},
        {"3723000", {0x05, 0x47, 0x82, 0x01, 0x02, 0x03}},
        {"59999", {0x05, 0x47, 0x82, 0x00, 0x00, 0x59}},
        {"60000", {0x05, 0x47, 0x82, 0x00, 0x01, 0x00}},
        {"999", {0x05, 0x47, 0x82, 0x00, 0x00, 0x00}},
        {"359999999", {0x05, 0x47, 0x82, 0x99, 0x59, 0x59}},
        // From 100 hours on the packed hour byte is what it falls to:
        // 100 packs to 0xA0, 596 to 950, whose low 8 bits are 0xB6.
        {"360000000", {0x05, 0x47, 0x82, 0xA0, 0x00, 0x00}},
        {"2147483647", {0x05, 0x47, 0x82, 0xB6, 0x31, 0x23}},
        {"99999999999", {0x05, 0x47, 0x82, 0xB6, 0x31, 0x23}},
        // -1 s: hours and minutes 0, seconds -1, packed as the low 8 bits of -1.
        {"-1000", {0x05, 0x47, 0x82, 0x00, 0x00, 0xFF}},
        {" 61000ms", {0x05, 0x47, 0x82, 0x00, 0x01, 0x01}},
    });
}

TEST(QueryHandlerTest, Event12ScalesAnUnsignedPercentage)
{
    ExpectReplies(12, {
        {"0", {0x04, 0x4C, 0x82, 0x00, 0x00}},
        {"50", {0x04, 0x4C, 0x82, 0x00, 0x7F}},
        {"100", {0x04, 0x4C, 0x82, 0x00, 0xFF}},
        {"200", {0x04, 0x4C, 0x82, 0x00, 0xFE}},
        {"abc", {0x04, 0x4C, 0x82, 0x00, 0x00}},
        {"", {0x04, 0x4C, 0x82, 0x00, 0x00}},
        // A negative number reads as 0, the nearest unsigned value.
        {"-5", {0x04, 0x4C, 0x82, 0x00, 0x00}},
        // x * 255 wraps at 32 bits: 16843009 * 255 is 4294967295 exactly,
        // 16843010 * 255 wraps to 254.
        {"16843009", {0x04, 0x4C, 0x82, 0x00, 0x28}},
        {"16843010", {0x04, 0x4C, 0x82, 0x00, 0x02}},
        {"4294967295", {0x04, 0x4C, 0x82, 0x00, 0x26}},
        {"99999999999", {0x04, 0x4C, 0x82, 0x00, 0x26}},
    });
}

}  // namespace
