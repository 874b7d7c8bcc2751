// The event log's room: lines reach the list plugged in, and only while it is.
#include "common/EventLog.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

class RecordingList : public EventLogList
{
public:
    explicit RecordingList(std::vector<std::string>& lines) : m_lines(lines) {}
    void AppendLine(const char* text) override { m_lines.push_back(text); }

private:
    std::vector<std::string>& m_lines;
};

// Unplugs the room in the middle of its own line, as the dialog's teardown
// may do while another thread's line is under way, then goes on using itself.
class UnpluggingList : public EventLogList
{
public:
    explicit UnpluggingList(std::vector<std::string>& lines) : m_lines(lines) {}
    void AppendLine(const char* text) override
    {
        UnplugEventLogList();
        m_prefix = "finished ";
        m_lines.push_back(m_prefix + text);
    }

private:
    std::vector<std::string>& m_lines;
    std::string m_prefix;
};

}  // namespace

TEST(EventLogRoomTest, LinesReachThePluggedListAndAreDroppedWithoutOne)
{
    std::vector<std::string> first, second;
    AppendLogLine("before any list");
    PlugEventLogList(std::make_shared<RecordingList>(first));
    AppendLogLine("one");
    PlugEventLogList(std::make_shared<RecordingList>(second));
    AppendLogLine("two");
    UnplugEventLogList();
    AppendLogLine("after the unplug");
    EXPECT_THAT(first, ElementsAre("one"));
    EXPECT_THAT(second, ElementsAre("two"));
}

TEST(EventLogRoomTest, ALineUnderWayFinishesOnItsListAfterTheUnplug)
{
    std::vector<std::string> lines;
    // The room holds the only reference: the unplug must not free the list
    // while its line is still running (the sanitizers watch this).
    PlugEventLogList(std::make_shared<UnpluggingList>(lines));
    AppendLogLine("late");
    AppendLogLine("dropped");
    EXPECT_THAT(lines, ElementsAre("finished late"));
}
