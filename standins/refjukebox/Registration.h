#pragma once

// Registers the server's classes under HKEY_LOCAL_MACHINE (Wine's COM does
// not look at per-user classes) and its two embedded type libraries. True
// when everything was written.
bool RegisterServer();

// Removes what RegisterServer wrote. Missing keys are not an error.
bool UnregisterServer();
