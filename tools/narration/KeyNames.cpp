#include "tools/narration/KeyNames.h"

const std::vector<KeyName>& NamedKeys()
{
    static const std::vector<KeyName> keys{
        {1, "play", KeyArgument::None, "play"},
        {2, "pause", KeyArgument::None, "pause"},
        {3, "previous", KeyArgument::None, "previous track"},
        {4, "next", KeyArgument::None, "next track"},
        {5, "vol+", KeyArgument::None, "volume up by 5"},
        {6, "vol-", KeyArgument::None, "volume down by 5"},
        {7, "mute", KeyArgument::None, "mute on or off"},
        {8, "level", KeyArgument::Level, "set the volume from a level 0..255"},
        {10, "stop", KeyArgument::None, "stop"},
        {16, "shuffle", KeyArgument::None, "shuffle on or off"},
        {17, "repeat", KeyArgument::None, "repeat on or off"},
        {18, "seek+", KeyArgument::None, "10 s forward"},
        {19, "seek-", KeyArgument::None, "10 s back"},
        {22, "skip+", KeyArgument::None, "60 s forward"},
        {23, "skip-", KeyArgument::None, "60 s back"},
        {24, "track", KeyArgument::Number, "play track N of the playlist"},
        {27, "report", KeyArgument::None, "the jukebox reports its whole state"},
        {29, "play/pause", KeyArgument::None, "play or pause"},
        {31, "seekto", KeyArgument::Number, "go to second N of the track"},
        {32, "find", KeyArgument::Text, "play the first title containing the text"},
        {34, "echo", KeyArgument::Number, "the module gets 1 back for N > 0, else 0"},
        {35, "blocks", KeyArgument::OnOff, "the module takes blocks (on) or not (off)"},
        {37, "first", KeyArgument::None, "first track"},
        {38, "last", KeyArgument::None, "last track"},
        {64, "album?", KeyArgument::None, "ask for the album"},
        {65, "artist?", KeyArgument::None, "ask for the artist"},
        {66, "title?", KeyArgument::None, "ask for the title"},
        {70, "nexttitle?", KeyArgument::None, "ask for the next title"},
        {71, "time?", KeyArgument::None, "ask for the position in the track"},
        {74, "status?", KeyArgument::None, "ask whether the last command with a text was taken"},
        {76, "volume?", KeyArgument::None, "ask for the volume"},
        {77, "version?", KeyArgument::None, "ask for the jukebox's version"},
        {78, "genre?", KeyArgument::None, "ask for the genre"},
        {79, "moduleinfo", KeyArgument::None, "the program replies with the module's information"},
        {80, "test", KeyArgument::None, "the program replies with its test block"},
        {81, "state?", KeyArgument::StateCode, "the program replies with the state it last sent"},
        {82, "path?", KeyArgument::None, "ask for the file path"},
    };
    return keys;
}

const KeyName* FindKeyByName(const std::string& name)
{
    for (const KeyName& key : NamedKeys())
        if (name == key.name)
            return &key;
    return nullptr;
}

const KeyName* FindKeyByCode(std::uint8_t code)
{
    for (const KeyName& key : NamedKeys())
        if (code == key.code)
            return &key;
    return nullptr;
}

std::string KeyLabel(std::uint8_t code)
{
    if (const KeyName* key = FindKeyByCode(code))
        return std::string(key->name) + " (" + std::to_string(code) + ")";
    return "key " + std::to_string(code);
}
