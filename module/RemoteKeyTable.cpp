#include "module/RemoteKeyTable.h"

#include <stdexcept>

namespace {

constexpr KeyAction Command(int command)
{
    return {KeyActionKind::Command, command, {}, 0};
}

constexpr KeyAction Request(int command)
{
    return {KeyActionKind::Request, command, {}, 0};
}

constexpr KeyAction Level(int command)
{
    return {KeyActionKind::Level, command, {}, 0};
}

constexpr KeyAction NumberParameter(int command)
{
    return {KeyActionKind::NumberParameter, command, {}, 0};
}

constexpr KeyAction NumberParameterOrReply(int command, unsigned char count, unsigned char code, unsigned char status)
{
    return {KeyActionKind::NumberParameter, command, {count, code, status, 0}, 3};
}

constexpr KeyAction TextParameter(int command)
{
    return {KeyActionKind::TextParameter, command, {}, 0};
}

constexpr KeyAction Reply(unsigned char count, unsigned char code, unsigned char status)
{
    return {KeyActionKind::Reply, 0, {count, code, status, 0}, 3};
}

constexpr KeyAction Reply(unsigned char count, unsigned char code, unsigned char status, unsigned char data)
{
    return {KeyActionKind::Reply, 0, {count, code, status, data}, 4};
}

constexpr KeyAction Only(KeyActionKind kind)
{
    return {kind, 0, {}, 0};
}

struct KeyRow
{
    unsigned char code;
    KeyAction action;
};

// Codes not listed have no action.
constexpr KeyRow kRemoteKeys[] = {
    {1, Command(1)},
    {2, Command(2)},
    {3, Command(5)},
    {4, Command(4)},
    {5, Command(8)},
    {6, Command(9)},
    {7, Command(10)},
    {8, Level(11)},
    {10, Command(3)},
    {16, Command(13)},
    {17, Command(14)},
    {18, Command(6)},
    {19, Command(7)},
    {22, Command(18)},
    {23, Command(19)},
    {24, NumberParameterOrReply(20, 0x02, 0x18, 0x81)},
    {25, Reply(0x02, 0x19, 0x81)},
    {26, Reply(0x02, 0x1A, 0x81)},
    {27, Command(202)},
    {28, Reply(0x02, 0x1C, 0x81)},
    {29, Command(15)},
    {31, NumberParameter(200)},
    {32, TextParameter(201)},
    {34, Only(KeyActionKind::ParameterEcho)},
    {35, Only(KeyActionKind::WritesSwitch)},
    {37, Command(16)},
    {38, Command(17)},
    {64, Request(102)},
    {65, Request(101)},
    {66, Request(100)},
    {67, Reply(0x02, 0x43, 0x81)},
    {68, Reply(0x02, 0x44, 0x81)},
    {69, Reply(0x02, 0x45, 0x81)},
    {70, Request(107)},
    {71, Request(109)},
    {72, Reply(0x03, 0x48, 0x81, 0x00)},
    {74, Request(106)},
    {75, Reply(0x02, 0x4B, 0x83)},
    {76, Request(12)},
    {77, Request(104)},
    {78, Request(105)},
    {79, Only(KeyActionKind::ModuleInfo)},
    {80, Only(KeyActionKind::TestReply)},
    {81, Only(KeyActionKind::StateQuery)},
    {82, Request(108)},
};

using KeyIndex = std::array<KeyAction, 256>;

// Spreads the rows over all 256 codes; a code listed twice stops the build.
constexpr KeyIndex BuildKeyIndex()
{
    KeyIndex index{};
    for (const KeyRow& row : kRemoteKeys) {
        if (index[row.code].kind != KeyActionKind::None)
            throw std::logic_error("key code listed twice");
        index[row.code] = row.action;
    }
    return index;
}

constexpr KeyIndex kKeyIndex = BuildKeyIndex();

}  // namespace

const KeyAction& RemoteKeyAction(unsigned char code)
{
    return kKeyIndex[code];
}
