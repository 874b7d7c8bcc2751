// Recognising the remote by the names the system gives its interfaces, and
// the Windows versions on which the name alone decides. Free of Windows.
#pragma once

#include <string>
#include <string_view>

// Codes of ClassifyWindowsVersion: from this one up, the interface name
// itself is checked; below it, the registry decides.
constexpr int kVersionNameDecides = 99;

// The code of a platform (2 NT, 3 CE) and version: 101 NT 3.51, 102 NT 4.0,
// 103 NT 5.0, 104 NT 5.1, 201 CE; 0 for everything else, later NT versions
// included.
int ClassifyVersion(unsigned long platformId, unsigned long major, unsigned long minor);

// Whether text, lower-cased, carries both the remote's vendor part
// "vid_0471" and its product part "pid_0110".
bool NamesRemoteIds(std::string_view text);

// The registry key, below HKEY_LOCAL_MACHINE, of the HID interface named
// interfaceName: the name with every backslash turned into '#'.
std::string DeviceClassesKeyFor(std::string_view interfaceName);
