#include "app/ComInitializer.h"

#include <objbase.h>

#include "common/FatalErrors.h"

ComInitializer::ComInitializer()
{
    if (FAILED(::CoInitialize(nullptr)))
        throw ComException();
}

ComInitializer::~ComInitializer()
{
    ::CoUninitialize();
}
