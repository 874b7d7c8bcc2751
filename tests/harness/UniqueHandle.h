#pragma once
#include "framework/UniqueHandle.h"
