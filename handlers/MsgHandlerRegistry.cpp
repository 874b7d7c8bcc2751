#include "handlers/MsgHandlerRegistry.h"

namespace {

template <std::uint32_t N>
std::unique_ptr<BaseMsgHandler> MakeMsgHandler(const char* text)
{
    return std::make_unique<MsgHandler<N>>(text);
}

}  // namespace

const MsgHandlerRegistry& GetMsgHandlerRegistry()
{
    static const MsgHandlerRegistry registry{
        // Query answers: the event number is the number of the command that
        // asked.
        {12, MakeMsgHandler<12>},
        {100, MakeMsgHandler<100>},
        {101, MakeMsgHandler<101>},
        {102, MakeMsgHandler<102>},
        {104, MakeMsgHandler<104>},
        {105, MakeMsgHandler<105>},
        {106, MakeMsgHandler<106>},
        {107, MakeMsgHandler<107>},
        {108, MakeMsgHandler<108>},
        {109, MakeMsgHandler<109>},
        // State notifications.
        {1, MakeMsgHandler<1>},
        {2, MakeMsgHandler<2>},
        {3, MakeMsgHandler<3>},
        {4, MakeMsgHandler<4>},
        {5, MakeMsgHandler<5>},
        {6, MakeMsgHandler<6>},
        {7, MakeMsgHandler<7>},
    };
    return registry;
}

void DispatchJukeboxEvent(std::uint32_t eventNumber, CString text)
{
    const MsgHandlerRegistry& registry = GetMsgHandlerRegistry();
    const auto entry = registry.find(eventNumber);
    if (entry == registry.end())
        return;
    const std::unique_ptr<BaseMsgHandler> handler = entry->second(text);
    handler->Handle();
}
