// The key actions' ports as the program binds them: the module library, the
// logged immediate write, ModuleWritesEnabled, the state cache, and the two
// hand-overs to the main window.
#pragma once

#include "module/KeyActionPorts.h"

class ProgramModuleAccess : public ModuleAccess
{
public:
    bool Read(std::uint32_t address, std::uint32_t length, unsigned char* buffer) override;
    bool Write(std::uint32_t address, std::uint32_t length, const unsigned char* bytes) override;
    void SetWritesEnabled(bool enabled) override;
    std::optional<unsigned char> StateAnswer(unsigned char code) override;
};

class ProgramActionPoster : public ActionPoster
{
public:
    void PostCommand(int command, const char* text) override;
    void PostBlock(std::uint32_t length, const unsigned char* data) override;
};
