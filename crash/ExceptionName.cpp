#include "crash/ExceptionName.h"

#include <windows.h>

#include "crash/ExceptionNames.h"

namespace {

// Static, so that naming a code needs no heap of ours. (The system's
// FormatMessageA uses the heap itself; it is only asked about codes outside
// the table, after the code is written.)
char messageText[512];

}  // namespace

const char* ExceptionName(std::uint32_t code)
{
    if (const char* name = KnownExceptionName(code))
        return name;
    // Cleared first: a failed lookup must not repeat an earlier code's text.
    messageText[0] = '\0';
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, ::GetModuleHandleA("NTDLL.DLL"),
                         code, 0, messageText, sizeof messageText, nullptr)
        == 0)
        messageText[0] = '\0';
    return messageText;
}
