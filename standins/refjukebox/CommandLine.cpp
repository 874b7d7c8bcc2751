#include "CommandLine.h"

#include <cctype>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> SplitWords(const char* text)
{
    std::vector<std::string> words;
    std::string word;
    for (const char* c = text ? text : ""; *c; ++c)
    {
        if (std::isspace(static_cast<unsigned char>(*c)))
        {
            if (!word.empty())
                words.push_back(std::move(word));
            word.clear();
        }
        else
        {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
        }
    }
    if (!word.empty())
        words.push_back(std::move(word));
    return words;
}

ServerMode ModeOf(const std::string& word)
{
    if (word.size() < 2 || (word[0] != '/' && word[0] != '-'))
        return ServerMode::Invalid;
    const std::string name = word.substr(1);
    if (name == "embedding")
        return ServerMode::Run;
    if (name == "regserver")
        return ServerMode::Register;
    if (name == "unregserver")
        return ServerMode::Unregister;
    return ServerMode::Invalid;
}

} // namespace

ServerMode ParseServerMode(const char* commandLine)
{
    ServerMode mode = ServerMode::Run;
    for (const std::string& word : SplitWords(commandLine))
    {
        const ServerMode wanted = ModeOf(word);
        if (wanted == ServerMode::Invalid)
            return ServerMode::Invalid;
        if (wanted == ServerMode::Run)
            continue;
        // Registering and unregistering in one start would leave it unclear
        // which state the machine ends in.
        if (mode != ServerMode::Run && mode != wanted)
            return ServerMode::Invalid;
        mode = wanted;
    }
    return mode;
}
