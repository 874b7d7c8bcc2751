#include "jukebox/AnsiConversionFlags.h"

std::uint32_t AnsiConversionFlags(std::uint32_t codePage)
{
    switch (codePage) {
    case 42:     // symbol
    case 50220:  // the ISO-2022 and ISCII families
    case 50221:
    case 50222:
    case 50225:
    case 50227:
    case 50229:
    case 54936:  // GB 18030
    case 65000:  // UTF-7
    case 65001:  // UTF-8
        return 0;
    default:
        return codePage >= 57002 && codePage <= 57011 ? 0 : kNoBestFitChars;
    }
}
