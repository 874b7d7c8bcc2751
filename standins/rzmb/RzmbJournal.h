/* What the substitute module library records of its use: every RzmaSetMem and
 * RzmaGetMem call, and every block the module took from its outbox. Plain C
 * data, the same in every process that maps the module. */
#pragma once

#include <stdint.h>

#define RZMB_RECORDED_BYTES 256

/* One RzmaSetMem call; bytes holds the first RZMB_RECORDED_BYTES bytes of a
 * longer write. */
struct RzmbSetMemEntry
{
    uint32_t address;
    uint32_t length;
    uint32_t succeeded;
    uint8_t bytes[RZMB_RECORDED_BYTES];
};

/* One RzmaGetMem call. */
struct RzmbGetMemEntry
{
    uint32_t address;
    uint32_t length;
    uint32_t succeeded;
};

/* One block rung at the doorbell: the bytes of the last write to the outbox,
 * with that write's length. The module takes it then or later, as its outbox
 * mode says, unless it is written over first. */
struct RzmbBlockEntry
{
    uint32_t length;
    uint8_t bytes[RZMB_RECORDED_BYTES];
};

/* How the module's outbox count follows a block once the doorbell rang. */
enum RzmbOutboxMode
{
    RzmbOutboxImmediate = 0, /* at once to the block's length */
    RzmbOutboxHold = 1,      /* stays where it is until advanced by the control side */
    RzmbOutboxStep = 2,      /* by a fixed step at every read of the count */
    RzmbOutboxDelayed = 3,   /* at once to the block's length, a set time after
                                the doorbell: a module that is slow but alive */
};

/* What a library that misbehaves does to the caller of one write. */
enum RzmbCallTrap
{
    RzmbTrapNone = 0,
    RzmbTrapHold = 1,      /* the call returns only once the control side lets it */
    RzmbTrapEndThread = 2, /* the calling thread ends inside the call */
};
