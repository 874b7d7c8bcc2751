// The program's event log as every subsystem reaches it. The main dialog
// implements it; the subsystems need nothing else of the application.
#pragma once

// Appends one line, stamped with the local time, to the main dialog's event
// log; callable from any thread. Does nothing outside debug mode or without
// a main dialog.
void AppendLogLine(const char* text);
