#pragma once

// Serves the jukebox classes until the last object and server lock are gone.
// Returns the process exit code: 0 after a normal end, 1 when the server
// could not start.
int RunLocalServer();
