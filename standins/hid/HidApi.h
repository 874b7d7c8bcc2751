// The system's HID declarations. Its headers give C functions no C linkage
// when compiled as C++, so they are included inside extern "C" here.
#pragma once

#include <windows.h>

extern "C" {
#include <hidsdi.h>
}
