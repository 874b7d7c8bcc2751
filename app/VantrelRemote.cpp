// The program's objects with static lifetime. They live in this one file
// because their order matters and C++ fixes the order of initialisation only
// within a file: the crash path first, then the application object, then what
// must exist before any window or thread does (the module library last, so
// that a fault while it loads is reported). They are destroyed in reverse.
#include "app/VantrelRemoteApp.h"
#include "crash/CrashReporter.h"
#include "jukebox/JukeboxEventMessage.h"
#include "module/ModuleLibrary.h"
#include "module/ModuleStateLock.h"

CrashReporter crashReporter;

CVantrelRemoteApp theApp;

const UINT WM_JUKEBOX_EVENT = ::RegisterWindowMessageA(kJukeboxEventMessageName);

CCriticalSection ModuleStateLock;

ModuleLibrary TheModuleLibrary;
