#include "module/ModuleLibraryNote.h"

namespace {

// The system's error codes for the two failures a user can mend.
constexpr unsigned long kModuleNotFound = 126;
constexpr unsigned long kBadImageFormat = 193;

// The program takes a library of its own width only.
const char* Width()
{
    return sizeof(void*) == 4 ? "32-bit" : "64-bit";
}

std::string WithConsequence(const std::string& cause)
{
    return "No module library: " + cause +
           " The remote's keys still reach the jukebox, but nothing reaches the remote's module: its display "
           "stays dark and keys that need a value from it do nothing.";
}

}  // namespace

std::string LoadedModuleLibraryNote(const std::string& path)
{
    return "Module library: " + path;
}

std::string UnloadableModuleLibraryNote(unsigned long error)
{
    // Not found can also mean that rzmb.dll was found but a library it needs
    // was not; the system does not tell the two apart.
    if (error == kModuleNotFound)
        return WithConsequence(std::string("no ") + Width() +
                               " rzmb.dll beside the program or in the system folder (or a library it needs is "
                               "missing).");
    if (error == kBadImageFormat)
        return WithConsequence(std::string("the rzmb.dll found is not a ") + Width() + " library.");
    return WithConsequence("rzmb.dll could not be loaded (error " + std::to_string(error) + ").");
}

std::string IncompleteModuleLibraryNote(const std::string& path, bool hasGetMem, bool hasSetMem)
{
    std::string missing;
    if (!hasGetMem)
        missing = "RzmaGetMem";
    if (!hasSetMem)
        missing += missing.empty() ? "RzmaSetMem" : " and RzmaSetMem";
    return WithConsequence(path + " lacks " + missing + ".");
}
