// The program's objects with static lifetime, as the test program needs them:
// the application object (main window pointer and instance handle), the
// jukebox event message, the module state lock and the module library (ours,
// beside the test program).
#include "app/VantrelRemoteApp.h"
#include "jukebox/JukeboxEventMessage.h"
#include "module/ModuleLibrary.h"
#include "module/ModuleStateLock.h"

CVantrelRemoteApp theApp;

const UINT WM_JUKEBOX_EVENT = ::RegisterWindowMessageA(kJukeboxEventMessageName);

CCriticalSection ModuleStateLock;

ModuleLibrary TheModuleLibrary;
