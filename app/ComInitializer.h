// ComInitializer: keeps COM initialised (single-threaded apartment) on the
// constructing thread for the object's lifetime.
#pragma once

class ComInitializer
{
public:
    // Throws ComException if COM cannot be initialised; an apartment that is
    // already initialised counts as success.
    ComInitializer();
    ~ComInitializer();
    ComInitializer(const ComInitializer&) = delete;
    ComInitializer& operator=(const ComInitializer&) = delete;
};
