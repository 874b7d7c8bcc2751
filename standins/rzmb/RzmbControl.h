/* The control side of the substitute module library, for tests and
 * simulators; the program never calls it. These functions are exported from
 * our rzmb.dll beside RzmaGetMem and RzmaSetMem and work on the same module:
 * a memory section shared by every process that uses the library, named
 * after the environment variable VANTREL_RZMB_INSTANCE (default "default"),
 * so that test runs side by side can each have a module of their own. A
 * process reads the variable once, at its first call.
 *
 * Every function returns non-zero on success, 0 when the module cannot be
 * reached or an argument is out of range. */
#pragma once

#include "standins/rzmb/RzmbJournal.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RZMB_INSTANCE_VARIABLE "VANTREL_RZMB_INSTANCE"

/* Module memory, without journal entries or failures. */
int RzmbPeekMemory(uint32_t address, uint32_t length, void* buffer);
int RzmbPokeMemory(uint32_t address, uint32_t length, const void* bytes);

/* After the next `after` RzmaGetMem (RzmaSetMem) calls succeed, the `count`
 * calls after them fail; a new call replaces the previous plan. */
int RzmbFailReads(uint32_t after, uint32_t count);
int RzmbFailWrites(uint32_t after, uint32_t count);
/* Besides any plan, each RzmaGetMem and RzmaSetMem call fails with a chance of
 * perMille in a thousand, drawn from seed (0 turns it off). */
int RzmbFailAtRandom(uint32_t perMille, uint32_t seed);
/* Calls failed on purpose, by plan or at random, since the last reset. */
uint32_t RzmbInjectedFailures(void);

/* How the outbox count follows a block (enum RzmbOutboxMode); step is the
 * step of RzmbOutboxStep and the delay in ms of RzmbOutboxDelayed. A block
 * still waiting when the delay is set (one that a held module never took) is
 * taken that delay later. RzmbAdvanceOutbox moves the count by steps towards
 * the length of the block last taken, in any mode. */
int RzmbSetOutboxMode(uint32_t mode, uint32_t step);
int RzmbAdvanceOutbox(uint32_t steps);
/* Blocks written over before the module took them (their count short of
 * their length), less than withinMs after their doorbell; among the latest
 * 1024 written over. */
uint32_t RzmbOverwrittenBlocks(uint32_t withinMs);

/* Journals, oldest first. A count is the number of entries ever recorded
 * (since the last clear); an entry can be read while it is among the most
 * recent 4096 calls or 1024 blocks. */
uint32_t RzmbSetMemCount(void);
int RzmbSetMemAt(uint32_t index, struct RzmbSetMemEntry* entry);
uint32_t RzmbGetMemCount(void);
int RzmbGetMemAt(uint32_t index, struct RzmbGetMemEntry* entry);
uint32_t RzmbBlockCount(void);
int RzmbBlockAt(uint32_t index, struct RzmbBlockEntry* entry);
int RzmbClearJournals(void);

/* The next RzmaSetMem call at address, from any process, meets trap (enum
 * RzmbCallTrap) before it is made. RzmbReleaseCalls lets every held call go
 * on; RzmbHeldCalls counts the calls held now. */
int RzmbTrapNextWrite(uint32_t address, uint32_t trap);
int RzmbReleaseCalls(void);
uint32_t RzmbHeldCalls(void);

/* Zero memory, empty journals, no failures, immediate outbox, no trap. */
int RzmbReset(void);

#ifdef __cplusplus
}
#endif
