#include "RemoteKeyCases.h"

#include <gmock/gmock.h>

#include <set>

#include "module/RemoteKeyActions.h"

namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

KeyCase CommandCase(unsigned char code, int command)
{
    KeyCase keyCase;
    keyCase.name = "key" + std::to_string(code) + "_command" + std::to_string(command);
    keyCase.code = code;
    keyCase.posts = {"command " + std::to_string(command)};
    return keyCase;
}

KeyCase ReplyCase(unsigned char code, const std::string& block)
{
    KeyCase keyCase;
    keyCase.name = "key" + std::to_string(code) + "_reply";
    keyCase.code = code;
    keyCase.posts = {"block " + block};
    return keyCase;
}

KeyCase ParameterCase(const std::string& name, unsigned char code, std::vector<MemoryPatch> memory,
                      std::vector<std::string> posts, std::vector<std::string> reads)
{
    KeyCase keyCase;
    keyCase.name = name;
    keyCase.code = code;
    keyCase.memory = std::move(memory);
    keyCase.posts = std::move(posts);
    keyCase.reads = std::move(reads);
    return keyCase;
}

KeyCase Failing(KeyCase keyCase, std::uint32_t failingReads, std::uint32_t readsBefore = 0)
{
    keyCase.readsBeforeFailure = readsBefore;
    keyCase.failingReads = failingReads;
    return keyCase;
}

std::string TestBlock()
{
    std::string block = "29 50 82 72 61 6e 64 6f 6d 2d 64 61 74 61";
    for (int i = 0; i < 26; ++i)
        block += " 00";
    return block;
}

std::vector<KeyCase> CommandCases()
{
    const std::pair<unsigned char, int> commands[] = {
        {1, 1},    {2, 2},    {3, 5},    {4, 4},     {5, 8},     {6, 9},     {7, 10},    {10, 3},    {16, 13},
        {17, 14},  {18, 6},   {19, 7},   {22, 18},   {23, 19},   {27, 202},  {29, 15},   {37, 16},   {38, 17},
        // Requests, answered later by the jukebox event of the same number.
        {64, 102}, {65, 101}, {66, 100}, {70, 107},  {71, 109},  {74, 106},  {76, 12},   {77, 104},  {78, 105},
        {82, 108},
    };
    std::vector<KeyCase> cases;
    for (const auto& [code, command] : commands)
        cases.push_back(CommandCase(code, command));
    return cases;
}

std::vector<KeyCase> ReplyCases()
{
    return {
        ReplyCase(25, "02 19 81"), ReplyCase(26, "02 1a 81"), ReplyCase(28, "02 1c 81"),
        ReplyCase(67, "02 43 81"), ReplyCase(68, "02 44 81"), ReplyCase(69, "02 45 81"),
        ReplyCase(72, "03 48 81 00"), ReplyCase(75, "02 4b 83"), ReplyCase(80, TestBlock()),
    };
}

std::vector<KeyCase> LevelCases()
{
    const std::vector<std::string> read{"a4c1+2"};
    return {
        ParameterCase("key8_full_level", 8, {{0xA4C1, {0, 255}}}, {"command 11 " + Quoted("100")}, read),
        ParameterCase("key8_half_level_truncates", 8, {{0xA4C1, {0, 128}}}, {"command 11 " + Quoted("50")}, read),
        ParameterCase("key8_level_1_is_0_percent", 8, {{0xA4C1, {0, 1}}}, {"command 11 " + Quoted("0")}, read),
        ParameterCase("key8_flag_2_still_sets", 8, {{0xA4C1, {2, 255}}}, {"command 11 " + Quoted("100")}, read),
        ParameterCase("key8_flag_1_sets_nothing", 8, {{0xA4C1, {1, 200}}}, {}, read),
        Failing(ParameterCase("key8_unreadable", 8, {{0xA4C1, {0, 255}}}, {}, read), 1),
    };
}

std::vector<KeyCase> NumberCases()
{
    const std::vector<std::string> read{"a4c1+1"};
    return {
        ParameterCase("key24_number", 24, {{0xA4C1, {7}}}, {"command 20 " + Quoted("7")}, read),
        ParameterCase("key24_zero", 24, {{0xA4C1, {0}}}, {"command 20 " + Quoted("0")}, read),
        ParameterCase("key24_largest", 24, {{0xA4C1, {255}}}, {"command 20 " + Quoted("255")}, read),
        Failing(ParameterCase("key24_unreadable_replies_unavailable", 24, {{0xA4C1, {7}}}, {"block 02 18 81"}, read), 1),
        ParameterCase("key31_number", 31, {{0xA4C1, {7}}}, {"command 200 " + Quoted("7")}, read),
        Failing(ParameterCase("key31_unreadable_posts_nothing", 31, {{0xA4C1, {7}}}, {}, read), 1),
    };
}

std::vector<KeyCase> TextCases()
{
    std::vector<unsigned char> longParameter(256, 'x');
    longParameter[0] = 255;
    return {
        ParameterCase("key32_text", 32, {{0xA4C1, {5, 'h', 'e', 'l', 'l', 'o', '!'}}}, {"command 201 " + Quoted("hello")},
                      {"a4c1+1", "a4c2+5"}),
        ParameterCase("key32_empty_text", 32, {{0xA4C1, {0, 'a'}}}, {"command 201 " + Quoted("")}, {"a4c1+1", "a4c2+0"}),
        ParameterCase("key32_text_ends_at_zero", 32, {{0xA4C1, {5, 'a', 'b', 0, 'c', 'd'}}},
                      {"command 201 " + Quoted("ab")}, {"a4c1+1", "a4c2+5"}),
        ParameterCase("key32_longest_text", 32, {{0xA4C1, longParameter}},
                      {"command 201 " + Quoted(std::string(255, 'x'))}, {"a4c1+1", "a4c2+ff"}),
        Failing(ParameterCase("key32_unreadable_length", 32, {{0xA4C1, {5, 'h', 'e', 'l', 'l', 'o'}}}, {}, {"a4c1+1"}), 1),
        Failing(ParameterCase("key32_unreadable_text", 32, {{0xA4C1, {5, 'h', 'e', 'l', 'l', 'o'}}}, {},
                              {"a4c1+1", "a4c2+5"}),
                1, 1),
    };
}

KeyCase Writing(KeyCase keyCase, std::string write)
{
    keyCase.writes = {std::move(write)};
    return keyCase;
}

KeyCase Switching(KeyCase keyCase, int before, int after)
{
    keyCase.writesEnabledBefore = before;
    keyCase.writesEnabledAfter = after;
    return keyCase;
}

std::vector<KeyCase> ModuleLinkCases()
{
    const std::vector<std::string> read{"a4c1+1"};
    return {
        Writing(ParameterCase("key34_nonzero_echoes_1", 34, {{0xA4C1, {5}}}, {}, read), "a4f3: 01"),
        Writing(ParameterCase("key34_zero_echoes_0", 34, {{0xA4C1, {0}}}, {}, read), "a4f3: 00"),
        Failing(ParameterCase("key34_unreadable_writes_nothing", 34, {{0xA4C1, {5}}}, {}, read), 1),
        Switching(ParameterCase("key35_nonzero_switches_on", 35, {{0xA4C1, {1}}}, {}, read), 0, 1),
        Switching(ParameterCase("key35_zero_switches_off", 35, {{0xA4C1, {0}}}, {}, read), 1, 0),
        Switching(Failing(ParameterCase("key35_unreadable_keeps_the_switch", 35, {{0xA4C1, {0}}}, {}, read), 1), 1, 1),
        ParameterCase("key79_module_information", 79, {{0x1C4B, {0x12, 0x34, 0x56, 0x78}}},
                      {"block 06 4f 82 12 34 56 78"}, {"1c4b+4"}),
        Failing(ParameterCase("key79_unreadable_replies_unavailable", 79, {{0x1C4B, {0x12, 0x34, 0x56, 0x78}}},
                              {"block 02 4f 81"}, {"1c4b+4"}),
                1),
    };
}

std::vector<KeyCase> StateQueryCases()
{
    const std::vector<std::string> read{"a4c1+1"};
    std::vector<KeyCase> cases{
        ParameterCase("key81_cached_code", 81, {{0xA4C1, {0xA6}}}, {"block 02 a6 40"}, read),
        ParameterCase("key81_another_cached_code", 81, {{0xA4C1, {0xA1}}}, {"block 02 a1 0b"}, read),
        ParameterCase("key81_a4_is_not_answered", 81, {{0xA4C1, {0xA4}}}, {}, read),
        ParameterCase("key81_uncached_code_answers_0", 81, {{0xA4C1, {0xA5}}}, {"block 02 a5 00"}, read),
        ParameterCase("key81_code_outside_the_states", 81, {{0xA4C1, {0x00}}}, {"block 02 00 00"}, read),
        Failing(ParameterCase("key81_unreadable_posts_nothing", 81, {{0xA4C1, {0xA6}}}, {}, read), 1),
    };
    for (auto& keyCase : cases)
        keyCase.states = {{0xA6, 0x40}, {0xA1, 0x0B}};
    return cases;
}

}  // namespace

void RecordingPoster::PostCommand(int command, const char* text)
{
    std::string post = "command " + std::to_string(command);
    if (text != nullptr)
        post += " " + Quoted(text);
    posts.push_back(post);
}

void RecordingPoster::PostBlock(std::uint32_t length, const unsigned char* data)
{
    posts.push_back("block " + HexBytes(data, length));
}

std::vector<KeyCase> KeyCases()
{
    std::vector<KeyCase> cases;
    for (auto group : {CommandCases, ReplyCases, LevelCases, NumberCases, TextCases, ModuleLinkCases, StateQueryCases}) {
        auto more = group();
        cases.insert(cases.end(), more.begin(), more.end());
    }
    return cases;
}

std::vector<unsigned char> CodesWithoutCases()
{
    std::set<unsigned char> covered;
    for (const KeyCase& keyCase : KeyCases())
        covered.insert(keyCase.code);
    std::vector<unsigned char> codes;
    for (int code = 0; code < 256; ++code) {
        if (covered.count(static_cast<unsigned char>(code)) == 0)
            codes.push_back(static_cast<unsigned char>(code));
    }
    return codes;
}

std::vector<KeyCase> NoActionCases()
{
    std::vector<KeyCase> cases;
    for (unsigned char code : CodesWithoutCases()) {
        KeyCase nothing;
        nothing.name = "key" + std::to_string(code) + "_nothing";
        nothing.code = code;
        nothing.memory = {{0xA4C1, {1, 2, 3}}};
        nothing.writesEnabledBefore = 1;
        cases.push_back(nothing);
    }
    return cases;
}

void RunKeyCase(const KeyCase& keyCase, KeyCaseModule& module)
{
    module.Reset();
    for (const MemoryPatch& patch : keyCase.memory)
        module.Poke(patch.address, patch.bytes);
    for (const auto& [code, value] : keyCase.states)
        module.StoreState(code, value);
    module.SetWritesSwitch(keyCase.writesEnabledBefore);
    module.FailReads(keyCase.readsBeforeFailure, keyCase.failingReads);

    RecordingPoster poster;
    DispatchRemoteKey(keyCase.code, module.Access(), poster);

    std::vector<std::string> reads;
    for (const auto& entry : module.Reads())
        reads.push_back(DescribeRead(entry));
    std::vector<std::string> writes;
    for (const auto& entry : module.Writes())
        writes.push_back(DescribeWrite(entry));
    EXPECT_EQ(poster.posts, keyCase.posts);
    EXPECT_EQ(reads, keyCase.reads);
    EXPECT_EQ(writes, keyCase.writes);
    const int expectedSwitch = keyCase.writesEnabledAfter < 0 ? keyCase.writesEnabledBefore : keyCase.writesEnabledAfter;
    EXPECT_EQ(module.WritesSwitch(), expectedSwitch);
}

void PrintTo(const KeyCase& keyCase, std::ostream* out)
{
    *out << keyCase.name << " (key " << static_cast<int>(keyCase.code) << ")";
}
