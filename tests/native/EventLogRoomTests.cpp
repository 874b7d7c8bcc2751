// The event log's room: lines reach the list plugged in, and only while it is.
#include "common/EventLog.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

// Records its lines; one that unplugs the room in the middle of its own line
// (as the dialog's teardown may while another thread's line is under way)
// goes on using itself afterwards.
class RecordingList : public EventLogList
{
public:
    RecordingList(std::vector<std::string>& lines, bool unplugs) : m_lines(lines), m_unplugs(unplugs) {}
    void AppendLine(const char* text) override
    {
        if (m_unplugs)
            UnplugEventLogList();
        m_lines.push_back(m_prefix + text);
    }

private:
    std::vector<std::string>& m_lines;
    bool m_unplugs;
    std::string m_prefix = "line ";
};

}  // namespace

TEST(EventLogRoomTest, LinesReachThePluggedListAndAreDroppedWithoutOne)
{
    std::vector<std::string> first, second;
    AppendLogLine("before any list");
    PlugEventLogList(std::make_shared<RecordingList>(first, false));
    AppendLogLine("one");
    PlugEventLogList(std::make_shared<RecordingList>(second, false));
    AppendLogLine("two");
    UnplugEventLogList();
    AppendLogLine("after the unplug");
    EXPECT_THAT(first, ElementsAre("line one"));
    EXPECT_THAT(second, ElementsAre("line two"));

    // The room holds the only reference: the unplug must not free the list
    // while its line is still running (the sanitizers watch this).
    std::vector<std::string> late;
    PlugEventLogList(std::make_shared<RecordingList>(late, true));
    AppendLogLine("under way");
    AppendLogLine("dropped");
    EXPECT_THAT(late, ElementsAre("line under way"));
}
