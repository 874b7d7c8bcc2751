// Our rzmb.dll's control side as a test uses it: the shared module of this
// process's instance, its journals as vectors.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/rzmb/RzmbControl.h"

namespace SubstituteModule {

// Chooses the module instance of this process and of the programs it starts
// (they inherit the environment). Takes effect only before the first call
// into the library; later calls keep the first instance.
void UseInstance(const std::string& name);

void Reset();
void Poke(std::uint32_t address, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> Peek(std::uint32_t address, std::uint32_t length);

std::vector<RzmbSetMemEntry> SetMems();
std::vector<RzmbGetMemEntry> GetMems();
// The blocks the module took, each as "02 a2 21".
std::vector<std::string> Blocks();
// The RzmaSetMem calls, each as "a4f4: 02 a2 21"; failed ones end in " (failed)".
std::vector<std::string> Writes();
// The RzmaGetMem calls, each as "a4f2+1".
std::vector<std::string> Reads();

}  // namespace SubstituteModule
