#include "RecordedHandlerOutputs.h"

#include <utility>

#include "JournalText.h"
#include "handlers/HandlerOutputs.h"
#include "handlers/MsgHandlerRegistry.h"
#include "module/ModuleStateCache.h"

namespace {

std::vector<HandlerOutput>& Recorded()
{
    static std::vector<HandlerOutput> outputs;
    return outputs;
}

}  // namespace

void PostEventBlock(const EventBlock& block)
{
    Recorded().push_back(Block(std::vector<unsigned char>(block.bytes.begin(), block.bytes.begin() + block.length)));
}

void PostWmAppcommandZero()
{
    Recorded().push_back(WmAppcommandZero());
}

void StoreModuleState(unsigned char code, unsigned char value)
{
    Recorded().push_back(Store(code, value));
}

HandlerOutput Block(std::vector<unsigned char> bytes)
{
    return HandlerOutput{HandlerOutput::Kind::Block, std::move(bytes)};
}

HandlerOutput WmAppcommandZero()
{
    return HandlerOutput{HandlerOutput::Kind::WmAppcommandZero, {}};
}

HandlerOutput Store(unsigned char code, unsigned char value)
{
    return HandlerOutput{HandlerOutput::Kind::StateStore, {code, value}};
}

std::string Describe(const HandlerOutput& output)
{
    std::string kind;
    switch (output.kind) {
    case HandlerOutput::Kind::Block:
        kind = "block";
        break;
    case HandlerOutput::Kind::WmAppcommandZero:
        return "command 203 WmAppcommand=0";
    case HandlerOutput::Kind::StateStore:
        kind = "store";
        break;
    }
    return output.bytes.empty() ? kind : kind + " " + HexBytes(output.bytes);
}

std::vector<HandlerOutput> TakeHandlerOutputs()
{
    return std::exchange(Recorded(), {});
}

std::vector<HandlerOutput> OutputsOfEvent(std::uint32_t eventNumber, const std::string& text)
{
    TakeHandlerOutputs();
    DispatchJukeboxEvent(eventNumber, CString(text));
    return TakeHandlerOutputs();
}
