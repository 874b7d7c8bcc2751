#pragma once
#include "ClassFactory.h"
#include "TypeLibrary.h"

#include <objbase.h>

#include <array>

// One class the server offers: what registration writes for it and how the
// running server makes its objects.
struct ServerClass
{
    const CLSID& clsid;
    const wchar_t* name;  // the readable name in the CLSID key
    EmbeddedTypeLibrary typeLibrary;
    ObjectCreator create;
};

const std::array<ServerClass, 3>& ServerClasses();
