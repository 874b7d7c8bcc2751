#include "app/DebugOption.h"

#include <cstring>

bool CommandLineRequestsDebugMode(const char* commandLine)
{
    return commandLine != nullptr && std::strstr(commandLine, " -debug") != nullptr;
}
