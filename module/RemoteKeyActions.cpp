#include "module/RemoteKeyActions.h"

#include <string>

#include "module/ModuleBlocks.h"
#include "module/ModuleMemoryMap.h"
#include "module/RemoteKeyTable.h"

namespace {

std::optional<unsigned char> ReadKeyParameter(ModuleAccess& module)
{
    unsigned char parameter = 0;
    if (!module.Read(ModuleMap::KeyParameter, 1, &parameter))
        return std::nullopt;
    return parameter;
}

template <size_t N>
void Post(ActionPoster& poster, const std::array<unsigned char, N>& block)
{
    poster.PostBlock(static_cast<std::uint32_t>(N), block.data());
}

// The flag byte and a level 0..255; a flag of 1 means the level is not set.
void PostLevel(const KeyAction& action, ModuleAccess& module, ActionPoster& poster)
{
    unsigned char parameters[2] = {};
    if (!module.Read(ModuleMap::KeyParameter, sizeof parameters, parameters) || parameters[0] == 1)
        return;
    const int percentage = parameters[1] * 100 / 255;
    poster.PostCommand(action.command, std::to_string(percentage).c_str());
}

void PostNumberParameter(const KeyAction& action, ModuleAccess& module, ActionPoster& poster)
{
    const auto parameter = ReadKeyParameter(module);
    if (parameter)
        poster.PostCommand(action.command, std::to_string(*parameter).c_str());
    else if (action.replyLength > 0)
        poster.PostBlock(action.replyLength, action.reply.data());
}

void PostTextParameter(const KeyAction& action, ModuleAccess& module, ActionPoster& poster)
{
    const auto length = ReadKeyParameter(module);
    if (!length)
        return;
    // One byte more than the longest text, so the text always ends.
    unsigned char text[256] = {};
    if (!module.Read(ModuleMap::KeyParameterText, *length, text))
        return;
    poster.PostCommand(action.command, reinterpret_cast<const char*>(text));
}

void EchoParameter(ModuleAccess& module)
{
    const auto parameter = ReadKeyParameter(module);
    if (!parameter)
        return;
    const unsigned char echo = *parameter != 0 ? 0x01 : 0x00;
    module.Write(ModuleMap::ParameterEcho, 1, &echo);
}

void PostModuleInfo(ModuleAccess& module, ActionPoster& poster)
{
    unsigned char info[ModuleMap::kModuleInfoLength] = {};
    if (module.Read(ModuleMap::ModuleInfo, sizeof info, info))
        Post(poster, MakeModuleInfoReply(info));
    else
        Post(poster, MakeUnavailableReply(kModuleInfoKey));
}

}  // namespace

void DispatchRemoteKey(unsigned char code, ModuleAccess& module, ActionPoster& poster)
{
    const KeyAction& action = RemoteKeyAction(code);
    switch (action.kind) {
    case KeyActionKind::None:
        return;
    case KeyActionKind::Command:
    case KeyActionKind::Request:
        poster.PostCommand(action.command, nullptr);
        return;
    case KeyActionKind::Level:
        PostLevel(action, module, poster);
        return;
    case KeyActionKind::NumberParameter:
        PostNumberParameter(action, module, poster);
        return;
    case KeyActionKind::TextParameter:
        PostTextParameter(action, module, poster);
        return;
    case KeyActionKind::ParameterEcho:
        EchoParameter(module);
        return;
    case KeyActionKind::WritesSwitch:
        UpdateModuleWritesEnabled(module);
        return;
    case KeyActionKind::Reply:
        poster.PostBlock(action.replyLength, action.reply.data());
        return;
    case KeyActionKind::ModuleInfo:
        PostModuleInfo(module, poster);
        return;
    case KeyActionKind::TestReply:
        Post(poster, MakeTestReply());
        return;
    case KeyActionKind::StateQuery:
        AnswerStateQuery(module, poster);
        return;
    }
}

void UpdateModuleWritesEnabled(ModuleAccess& module)
{
    const auto parameter = ReadKeyParameter(module);
    if (parameter)
        module.SetWritesEnabled(*parameter != 0);
}

void AnswerStateQuery(ModuleAccess& module, ActionPoster& poster)
{
    const auto code = ReadKeyParameter(module);
    if (!code)
        return;
    const auto value = module.StateAnswer(*code);
    if (value)
        Post(poster, MakeStateBlock(*code, *value));
}
