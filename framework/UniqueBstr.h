// UniqueBstr: owns one BSTR (null means none) and frees it with SysFreeString.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "framework/UniqueResource.h"

using UniqueBstr = UniqueResource<BSTR, &::SysFreeString>;
