#include "handlers/EventBlock.h"

EventBlock::EventBlock(std::initializer_list<unsigned char> content)
{
    for (const unsigned char value : content)
        Append(value);
}

void EventBlock::Append(unsigned char value)
{
    if (length < kCapacity)
        bytes[length++] = value;
}
