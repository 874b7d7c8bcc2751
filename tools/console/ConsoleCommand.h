// One line typed at the interactive remote, understood.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ConsoleAction
{
    Nothing,  // an empty line
    Key,      // press code with parameter bytes
    Plug,
    Unplug,
    Jukebox,  // the jukebox acts by itself: command
    Show,     // show the state again
    Help,
    Quit,
    Invalid,  // error says why
};

struct ConsoleCommand
{
    ConsoleAction action = ConsoleAction::Nothing;
    std::uint8_t code = 0;
    std::vector<std::uint8_t> parameter;
    long command = 0;
    std::string act;  // the jukebox's act in words
    std::string error;
};

ConsoleCommand ParseConsoleLine(const std::string& line);

// The help text: every word the console understands.
std::string ConsoleHelp();

// Every word that may begin a line, for completion.
std::vector<std::string> ConsoleWords();
