#include "module/ModuleLibrary.h"

#include "common/EventLog.h"
#include "module/ModuleLibraryNote.h"
#include "module/rzmb.h"

namespace {

// The library's two functions as rzmb.dll exports them: under their plain
// names on both widths, stdcall on 32-bit Windows.
using RzmaFunction = int(__stdcall*)(DWORD address, DWORD length, void* buffer);

// Null while no library is in use. Written only by the one ModuleLibrary,
// while no other thread of the program exists; read from any thread.
RzmaFunction g_getMem = nullptr;
RzmaFunction g_setMem = nullptr;

// The program's folder, then the system folder of its width: no current
// folder, no PATH. A library the maker's set-up put on the search path is
// found in the system folder.
constexpr DWORD kSearchPlaces = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;

RzmaFunction Function(HMODULE library, const char* name)
{
    return reinterpret_cast<RzmaFunction>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

// Empty when the system cannot say.
std::string FullPath(HMODULE library)
{
    constexpr size_t kLongestPath = 32768;
    for (std::string path(MAX_PATH, '\0');; path.resize(path.size() * 2)) {
        const DWORD length = ::GetModuleFileNameA(library, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= kLongestPath)
            return {};
    }
}

}  // namespace

ModuleLibrary::ModuleLibrary()
{
    m_library.Reset(::LoadLibraryExW(L"rzmb.dll", nullptr, kSearchPlaces));
    if (!m_library) {
        m_note = UnloadableModuleLibraryNote(::GetLastError());
        return;
    }
    const std::string path = FullPath(m_library.Get());
    const RzmaFunction getMem = Function(m_library.Get(), "RzmaGetMem");
    const RzmaFunction setMem = Function(m_library.Get(), "RzmaSetMem");
    if (getMem == nullptr || setMem == nullptr) {
        m_note = IncompleteModuleLibraryNote(path, getMem != nullptr, setMem != nullptr);
        m_library.Reset();
        return;
    }
    g_getMem = getMem;
    g_setMem = setMem;
    m_note = LoadedModuleLibraryNote(path);
}

ModuleLibrary::~ModuleLibrary()
{
    g_getMem = nullptr;
    g_setMem = nullptr;
}

void LogModuleLibrary()
{
    AppendLogLine(TheModuleLibrary.Note().c_str());
}

int RzmaGetMem(DWORD address, DWORD length, void* buffer)
{
    return g_getMem != nullptr ? g_getMem(address, length, buffer) : 0;
}

int RzmaSetMem(DWORD address, DWORD length, void* buffer)
{
    return g_setMem != nullptr ? g_setMem(address, length, buffer) : 0;
}
