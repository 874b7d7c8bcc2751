// Stands in for the header the IDL compiler would generate from
// IdlBaseTypes.idl: the real declarations come from the Windows headers.
#pragma once
#include <windows.h>
#include <oaidl.h>
