// Where the crash report goes: beside the program, under the program's name
// with the extension RPT. No Windows headers; the caller says which bytes of
// its code page begin a double-byte character.
#pragma once

#include <cstddef>

using LeadByteTest = bool (*)(unsigned char byte);

// Room for the longest program path and the ".RPT" that may be appended.
constexpr std::size_t kReportPathCapacity = 260 + 4;

// Derives the report path from the program's path into `reportPath`
// (`capacity` bytes): when the file name has an extension of at least three
// characters, they and whatever follows become "RPT"; otherwise ".RPT" is
// appended, so the report never lands on the program file itself. Only a dot
// in the file name counts, never one in a folder name, and the scan steps over
// double-byte characters, whose second byte may look like '\' or '.'.
// Returns false, with an empty reportPath, when the result does not fit or the
// program path is empty.
bool MakeReportPath(const char* programPath, char* reportPath, std::size_t capacity, LeadByteTest isLeadByte);
