#include "crash/ReportPath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Shift-JIS lead bytes: their second byte may be '\' (0x5C).
bool ShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool SingleByte(unsigned char)
{
    return false;
}

std::string ReportPathFor(const char* program, LeadByteTest isLeadByte = &SingleByte)
{
    char path[kReportPathCapacity] = "unchanged";
    if (!MakeReportPath(program, path, sizeof path, isLeadByte))
        return "<none:" + std::string(path) + ">";
    return path;
}

}  // namespace

TEST(ReportPathTest, ReplacesAnExtensionOfThreeOrMoreCharactersAndAppendsOtherwise)
{
    const struct
    {
        const char* program;
        const char* report;
    } cases[] = {
        {"C:\\Program Files\\Vantrel\\VantrelRemote.exe", "C:\\Program Files\\Vantrel\\VantrelRemote.RPT"},
        {"C:\\a\\VantrelRemote.EXE", "C:\\a\\VantrelRemote.RPT"},
        {"C:\\a\\VantrelRemote.exe2", "C:\\a\\VantrelRemote.RPT"},
        {"C:\\a\\VantrelRemote.ex", "C:\\a\\VantrelRemote.ex.RPT"},
        {"C:\\a\\VantrelRemote.", "C:\\a\\VantrelRemote..RPT"},
        {"C:\\a\\VantrelRemote", "C:\\a\\VantrelRemote.RPT"},
        {"C:\\a.folder\\VantrelRemote", "C:\\a.folder\\VantrelRemote.RPT"},
        {"C:\\a.folder/VantrelRemote", "C:\\a.folder/VantrelRemote.RPT"},
        {"C:.x\\VantrelRemote", "C:.x\\VantrelRemote.RPT"},
        {"C:\\a\\v.1.exe", "C:\\a\\v.1.RPT"},
        {"VantrelRemote.exe", "VantrelRemote.RPT"},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(ReportPathFor(entry.program), entry.report) << entry.program;
}

TEST(ReportPathTest, StepsOverDoubleByteCharactersWhoseSecondByteLooksLikeABackslash)
{
    // 0x95 0x5C is one character; read byte by byte its second half would
    // end the file name and hide the extension.
    EXPECT_EQ(ReportPathFor("C:\\a\\v.e\x95\x5Cx", &ShiftJisLeadByte), "C:\\a\\v.RPT");
    EXPECT_EQ(ReportPathFor("C:\\a\\v.e\x95\x5Cx", &SingleByte), "C:\\a\\v.e\x95\x5Cx.RPT");
    EXPECT_EQ(ReportPathFor("C:\\\x95\x5C.exe", &ShiftJisLeadByte), "C:\\\x95\x5C.RPT");
    // A lead byte at the very end stands alone.
    EXPECT_EQ(ReportPathFor("C:\\a\\v.ex\x95", &ShiftJisLeadByte), "C:\\a\\v.RPT");
}

TEST(ReportPathTest, GivesNoPathWhenTheResultDoesNotFitOrThereIsNoProgram)
{
    const std::string folder = "C:\\" + std::string(240, 'f') + "\\";
    char path[32] = "unchanged";
    EXPECT_TRUE(MakeReportPath("C:\\a\\VantrelRemote", path, 23, &SingleByte));  // exactly fits
    EXPECT_STREQ(path, "C:\\a\\VantrelRemote.RPT");
    EXPECT_FALSE(MakeReportPath("C:\\a\\VantrelRemote", path, 22, &SingleByte));
    EXPECT_STREQ(path, "");
    EXPECT_EQ(ReportPathFor((folder + std::string(259 - folder.size(), 'p')).c_str()).size(), 263u);
    EXPECT_EQ(ReportPathFor(""), "<none:>");
    EXPECT_EQ(ReportPathFor(nullptr), "<none:>");
    EXPECT_FALSE(MakeReportPath("C:\\a.exe", nullptr, 10, &SingleByte));
}
