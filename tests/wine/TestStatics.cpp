// The program's objects with static lifetime, as the test program needs them:
// the application object (main window pointer and instance handle), the
// jukebox event message and the module state lock.
#include "app/VantrelRemoteApp.h"
#include "jukebox/JukeboxEventMessage.h"
#include "module/ModuleStateLock.h"

CVantrelRemoteApp theApp;

const UINT WM_JUKEBOX_EVENT = ::RegisterWindowMessageA(kJukeboxEventMessageName);

CCriticalSection ModuleStateLock;
