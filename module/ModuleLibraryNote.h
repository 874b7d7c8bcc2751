// What the event log says at start about the module library, in words for the
// user of the remote: which library the program uses, or which one it lacks
// and what that means.
#pragma once

#include <string>

// "Module library: <full path>".
std::string LoadedModuleLibraryNote(const std::string& path);
// No library could be loaded; error is the system's error code.
std::string UnloadableModuleLibraryNote(unsigned long error);
// The library at path was loaded but lacks one or both of the functions, so
// it is not used.
std::string IncompleteModuleLibraryNote(const std::string& path, bool hasGetMem, bool hasSetMem);
