#pragma once

// What the exe was started for. COM starts a local server with "-Embedding";
// installers and test set-ups pass "/RegServer" or "/UnregServer".
enum class ServerMode
{
    Run,
    Register,
    Unregister,
    Invalid,
};

// Options may start with '/' or '-' and are case-insensitive. No option, or
// "Embedding" alone, runs the server; anything unknown is Invalid, so that a
// mistyped registration call fails loudly instead of starting a server.
ServerMode ParseServerMode(const char* commandLine);
