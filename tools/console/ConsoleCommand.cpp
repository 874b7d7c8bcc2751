#include "tools/console/ConsoleCommand.h"

#include <cstdio>
#include <sstream>

#include "tools/narration/KeyNames.h"

namespace {

struct JukeboxAct
{
    const char* name;
    long command;
};

// What the jukebox can be made to do by itself, as if from its own window.
constexpr JukeboxAct kJukeboxActs[] = {
    {"play", 1}, {"pause", 2}, {"stop", 3}, {"next", 4}, {"previous", 5},
};

ConsoleCommand Invalid(const std::string& why)
{
    ConsoleCommand command;
    command.action = ConsoleAction::Invalid;
    command.error = why;
    return command;
}

// A byte written as 0..255 or 0x00..0xff.
bool ParseByte(const std::string& word, std::uint8_t& value, bool hexadecimal = false)
{
    if (word.empty() || word.size() > 4)
        return false;
    std::size_t at = 0;
    int base = hexadecimal ? 16 : 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        at = 2;
    }
    unsigned number = 0;
    for (; at < word.size(); ++at) {
        const char c = word[at];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        number = number * static_cast<unsigned>(base) + digit;
    }
    if (number > 255)
        return false;
    value = static_cast<std::uint8_t>(number);
    return true;
}

ConsoleCommand NamedKey(const KeyName& key, const std::string& rest)
{
    ConsoleCommand command;
    command.action = ConsoleAction::Key;
    command.code = key.code;
    const std::string name = key.name;
    std::uint8_t value = 0;
    switch (key.argument) {
    case KeyArgument::None:
        if (!rest.empty())
            return Invalid(name + " takes nothing after it");
        return command;
    case KeyArgument::Level:
        if (!ParseByte(rest, value))
            return Invalid(name + " needs a level from 0 to 255, as in: " + name + " 128");
        command.parameter = {0x00, value};
        return command;
    case KeyArgument::Number:
        if (!ParseByte(rest, value))
            return Invalid(name + " needs a number from 0 to 255, as in: " + name + " 3");
        command.parameter = {value};
        return command;
    case KeyArgument::Text:
        if (rest.empty() || rest.size() > 255)
            return Invalid(name + " needs a text of 1 to 255 characters, as in: " + name + " blue");
        command.parameter.push_back(static_cast<std::uint8_t>(rest.size()));
        command.parameter.insert(command.parameter.end(), rest.begin(), rest.end());
        return command;
    case KeyArgument::OnOff:
        if (rest != "on" && rest != "off")
            return Invalid(name + " needs on or off");
        command.parameter = {static_cast<std::uint8_t>(rest == "on" ? 1 : 0)};
        return command;
    case KeyArgument::StateCode:
        if (!ParseByte(rest, value, true))
            return Invalid(name + " needs a state code such as a2 (play state) or a6 (volume)");
        command.parameter = {value};
        return command;
    }
    return Invalid("unknown key");
}

}  // namespace

ConsoleCommand ParseConsoleLine(const std::string& line)
{
    std::istringstream words(line);
    std::string first;
    if (!(words >> first))
        return ConsoleCommand{};
    std::string rest;
    std::getline(words >> std::ws, rest);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t' || rest.back() == '\r'))
        rest.pop_back();

    ConsoleCommand command;
    if (first == "help" || first == "?") {
        command.action = ConsoleAction::Help;
    } else if (first == "quit" || first == "exit") {
        command.action = ConsoleAction::Quit;
    } else if (first == "show") {
        command.action = ConsoleAction::Show;
    } else if (first == "plug") {
        command.action = ConsoleAction::Plug;
    } else if (first == "unplug") {
        command.action = ConsoleAction::Unplug;
    } else if (first == "jukebox") {
        for (const JukeboxAct& act : kJukeboxActs)
            if (rest == act.name) {
                command.action = ConsoleAction::Jukebox;
                command.command = act.command;
                command.act = act.name;
                return command;
            }
        return Invalid("jukebox needs one of: play, pause, stop, next, previous");
    } else if (const KeyName* key = FindKeyByName(first)) {
        return NamedKey(*key, rest);
    } else if (first == "key") {
        // A key by its code, with parameter bytes after it: key 35 1
        std::istringstream bytes(rest);
        std::string word;
        if (!(bytes >> word) || !ParseByte(word, command.code))
            return Invalid("key needs a code from 0 to 255, as in: key 66");
        while (bytes >> word) {
            std::uint8_t value = 0;
            if (!ParseByte(word, value) || command.parameter.size() >= 64)
                return Invalid("parameter bytes are numbers from 0 to 255 (at most 64 of them)");
            command.parameter.push_back(value);
        }
        command.action = ConsoleAction::Key;
    } else {
        return Invalid("unknown command \"" + first + "\"; type help for the list");
    }
    if (command.action != ConsoleAction::Key && !rest.empty())
        return Invalid(first + " takes nothing after it");
    return command;
}

std::string ConsoleHelp()
{
    std::string help =
        "Keys on the remote, by name (each sends its code; what the jukebox does with it):\n";
    char line[160];
    for (const KeyName& key : NamedKeys()) {
        const char* argument = key.argument == KeyArgument::Level       ? " N"
                               : key.argument == KeyArgument::Number    ? " N"
                               : key.argument == KeyArgument::Text      ? " TEXT"
                               : key.argument == KeyArgument::OnOff     ? " on|off"
                               : key.argument == KeyArgument::StateCode ? " CODE"
                                                                        : "";
        std::snprintf(line, sizeof line, "  %-16s %3u  %s\n", (std::string(key.name) + argument).c_str(),
                      key.code, key.meaning);
        help += line;
    }
    help +=
        "  key CODE [BYTES]     any code 0..255, with parameter bytes for the module\n"
        "The remote and the jukebox:\n"
        "  plug, unplug         plug the remote in, pull it out\n"
        "  jukebox ACT          the jukebox by itself: play, pause, stop, next, previous\n"
        "  show                 the jukebox's state and the module's display again\n"
        "  help                 this list\n"
        "  quit                 close the program and leave (also Ctrl-D)\n";
    return help;
}

std::vector<std::string> ConsoleWords()
{
    std::vector<std::string> words{"help", "quit", "show", "plug", "unplug", "jukebox", "key"};
    for (const KeyName& key : NamedKeys())
        words.push_back(key.name);
    return words;
}
