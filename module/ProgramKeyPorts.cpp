#include "module/ProgramKeyPorts.h"

#include "jukebox/JukeboxCommandChannel.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryWrites.h"
#include "module/ModuleStateCache.h"
#include "module/rzmb.h"

bool ProgramModuleAccess::Read(std::uint32_t address, std::uint32_t length, unsigned char* buffer)
{
    return RzmaGetMem(address, length, buffer) != 0;
}

bool ProgramModuleAccess::Write(std::uint32_t address, std::uint32_t length, const unsigned char* bytes)
{
    return WriteModuleMemory(address, length, bytes) != 0;
}

void ProgramModuleAccess::SetWritesEnabled(bool enabled)
{
    ModuleWritesEnabled = enabled ? 1 : 0;
}

std::optional<unsigned char> ProgramModuleAccess::StateAnswer(unsigned char code)
{
    return CachedStateAnswer(code);
}

void ProgramActionPoster::PostCommand(int command, const char* text)
{
    PostJukeboxCommand(command, text);
}

void ProgramActionPoster::PostBlock(std::uint32_t length, const unsigned char* data)
{
    PostModuleWrite(length, data);
}
