#include "module/ModuleBlocks.h"

#include <cstring>

namespace {

constexpr unsigned char kTestKey = 0x50;
constexpr unsigned char kTestCount = 0x29;
constexpr char kTestText[] = "random-data";

}  // namespace

StateBlock MakeStateBlock(unsigned char code, unsigned char value)
{
    return {0x02, code, value};
}

UnavailableReplyBlock MakeUnavailableReply(unsigned char keyCode)
{
    return {0x02, keyCode, kReplyUnavailable};
}

ModuleInfoReplyBlock MakeModuleInfoReply(const unsigned char (&info)[4])
{
    return {0x06, kModuleInfoKey, kReplyOk, info[0], info[1], info[2], info[3]};
}

TestReplyBlock MakeTestReply()
{
    TestReplyBlock block{};
    block[0] = kTestCount;
    block[1] = kTestKey;
    block[2] = kReplyOk;
    std::memcpy(&block[3], kTestText, sizeof kTestText - 1);
    return block;
}
