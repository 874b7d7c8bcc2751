#include "jukebox/JukeboxEventLogLine.h"

#include <gtest/gtest.h>

TEST(JukeboxEventLogLineTest, ShowsTheNumberSignedAndTheTextOnlyWhenThereIsOne)
{
    const struct
    {
        std::uint32_t number;
        const char* text;
        const char* line;
    } cases[] = {
        {2, "playing", "Event 2 from Cantora with data: playing"},
        {2, "", "Event 2 from Cantora"},
        {0, "", "Event 0 from Cantora"},
        {109, " 5 ", "Event 109 from Cantora with data:  5 "},
        {4294967295u, "x", "Event -1 from Cantora with data: x"},
        {2147483648u, "", "Event -2147483648 from Cantora"},
        {1, "50%d %s", "Event 1 from Cantora with data: 50%d %s"},
    };
    for (const auto& event : cases)
        EXPECT_EQ(JukeboxEventLogLine(event.number, event.text).Str(), event.line);
}
