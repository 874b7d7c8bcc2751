// The substitute module library's journal entries as short texts, for test
// expectations: reads "a4c1+1", writes "a4f3: 01", bytes "02 18 81".
#pragma once

#include <cstdint>
#include <string>

#include "rzmb/RzmbJournal.h"

std::string DescribeRead(const RzmbGetMemEntry& entry);
std::string DescribeWrite(const RzmbSetMemEntry& entry);
std::string HexBytes(const unsigned char* bytes, std::uint32_t length);
