// Bringing the remote into and out of service, on the user-interface thread.
#pragma once

// Unless the remote is open already: finds and opens it, then tells the
// module that the program has attached. The outcome is in RemoteState.
void ConnectRemote();

// If the remote is open: closes it and releases the remote record fully,
// once the reader has let go of it.
void DisconnectRemote();
