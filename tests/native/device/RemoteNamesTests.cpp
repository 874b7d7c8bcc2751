// Recognising the remote by interface names and registry values, the Windows
// versions on which the name decides, and the broadcast reading.
#include "device/RemoteNames.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <tuple>
#include <vector>

#include "device/DeviceBroadcast.h"

TEST(RemoteNamesTest, TheNameDecidesOnlyOnTheOldNtVersionsAndCe)
{
    EXPECT_EQ(ClassifyVersion(2, 3, 51), 101);
    EXPECT_EQ(ClassifyVersion(2, 4, 0), 102);
    EXPECT_EQ(ClassifyVersion(2, 5, 0), 103);
    EXPECT_EQ(ClassifyVersion(2, 5, 1), 104);
    EXPECT_EQ(ClassifyVersion(3, 6, 0), 201);
    for (const auto& [platform, major, minor] : {std::tuple{2ul, 5ul, 2ul}, {2ul, 6ul, 1ul}, {2ul, 10ul, 0ul},
                                                 {1ul, 4ul, 10ul}, {2ul, 3ul, 50ul}, {0ul, 5ul, 1ul}})
        EXPECT_LT(ClassifyVersion(platform, major, minor), kVersionNameDecides) << major << "." << minor;
}

TEST(RemoteNamesTest, BothIdsMustBeThereInAnyCase)
{
    EXPECT_TRUE(NamesRemoteIds("\\\\?\\HID#VID_0471&PID_0110#7&1&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"));
    EXPECT_TRUE(NamesRemoteIds("HID\\pid_0110&Vid_0471\\7&1"));
    EXPECT_FALSE(NamesRemoteIds("\\\\?\\HID#VID_045E&PID_0110#7&1"));
    EXPECT_FALSE(NamesRemoteIds("\\\\?\\HID#VID_0471&PID_0111#7&1"));
    EXPECT_FALSE(NamesRemoteIds(""));
}

TEST(RemoteNamesTest, TheRegistryKeyTurnsEveryBackslashOfTheNameIntoHash)
{
    EXPECT_EQ(DeviceClassesKeyFor("\\\\?\\HID#VID_0471&PID_0110\\x"),
              "System\\CurrentControlSet\\Control\\DeviceClasses\\{4d1e55b2-f16f-11cf-88cb-001111000030}\\"
              "##?#HID#VID_0471&PID_0110#x");
}

namespace {

// A broadcast of exactly size bytes (so that reading past it is caught):
// the header, then the name's bytes as far as they fit.
std::vector<unsigned char> Broadcast(std::uint32_t size, std::uint32_t type, const std::string& name)
{
    std::vector<unsigned char> bytes(std::max<std::size_t>(size, 8), 0);
    std::memcpy(bytes.data(), &size, 4);
    std::memcpy(bytes.data() + 4, &type, 4);
    for (std::size_t at = 0; at < name.size() && kBroadcastNameOffset + at < bytes.size(); ++at)
        bytes[kBroadcastNameOffset + at] = static_cast<unsigned char>(name[at]);
    return bytes;
}

std::optional<std::string> NameOf(std::uint32_t size, std::uint32_t type, const std::string& name)
{
    return InterfaceNameFromBroadcast(Broadcast(size, type, name).data());
}

constexpr std::uint32_t kFits = kBroadcastNameOffset + 4;  // "abc" and its terminator

}  // namespace

TEST(DeviceBroadcastTest, OnlyAnInterfaceBroadcastWhoseSizeHoldsATerminatedNameHasOne)
{
    EXPECT_EQ(NameOf(kFits, 5, "abc"), "abc");
    EXPECT_EQ(NameOf(kFits + 40, 5, "abc"), "abc");
    EXPECT_EQ(NameOf(kFits, 2, "abc"), std::nullopt) << "a volume";
    EXPECT_EQ(NameOf(kFits - 1, 5, "abc"), std::nullopt) << "no terminator inside its size";
    EXPECT_EQ(NameOf(kFits, 5, ""), std::nullopt) << "no name";
    EXPECT_EQ(NameOf(12, 5, ""), std::nullopt) << "only a header";
    EXPECT_EQ(NameOf(kMaxBroadcastSize + 1, 5, "abc"), std::nullopt) << "implausibly large";
    EXPECT_EQ(InterfaceNameFromBroadcast(nullptr), std::nullopt);
}
