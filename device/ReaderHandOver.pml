/*
 * The hand-over of the remote between the reader thread and the
 * user-interface thread, as a model for Spin. scripts/check-model.sh checks
 * it; a change to the hand-over in the code changes this model in the same
 * commit.
 *
 * Processes and the code they stand for:
 *   Reader   RunReaderLoop (device/ReaderLoop.cpp) with the ports of
 *            ReaderThreadPorts (device/ReaderThread.cpp)
 *   Ui       ConnectRemote (arrival), DisconnectRemote (removal), the
 *            window's watch for a reader that ended (NoticeEndedReaderThread),
 *            then ShutdownRemoteDevice (device/RemoteConnection.cpp,
 *            device/ReaderThread.cpp, device/RemoteSession.cpp)
 *   Device   the remote as the read sees it: a read completes with a
 *            report or with an error at any time; a read start or a reopen
 *            may fail at any time (a flaky hub, an unplugged remote)
 * The reader thread may also end inside the module library, in a key's
 * action or in the reopen's announcement (a library that ends its caller);
 * the next connect after the watch noticed starts another Reader.
 *
 * Variables and the code's names:
 *   isOpen          RemoteState.open ("open" is taken by the C library)
 *   lost            RemoteState.lost
 *   connectFailed   RemoteState.connectFailed
 *   session         RemoteSession: LIVE, or 0 once EndRemoteSession ran
 *   wanted          RemoteRecordWanted (RemoteRecordClaim's first half)
 *   holder          who holds RemoteRecordLock: NOBODY, READER or UI
 *   gateHolders     RemoteSessionGate::EnterIfOpen holders (the session
 *                   lock held shared)
 *   deadHolders     those of them whose thread ended inside the library:
 *                   they never let the lock go
 *   readerEnded     the reader thread ended by itself (g_readerThread
 *                   signalled while its session lives)
 *   restartDue      g_readerRestartDue
 *   readEvent, stopEvent, letGoEvent
 *                   g_readEvent, g_stopEvent, g_letGoEvent (auto-reset)
 *   handle          RemoteRecord().handle is valid
 *   information     RemoteRecord().inputReport is allocated
 *   readState       g_overlapped: no read yet, outstanding, or completed
 *                   with a report or an error (a cancelled read is one)
 *   buffer          the report RemoteRecord().inputReport holds
 *   linkState       the module's HostLinkState byte (0xA4F0): 2 attached,
 *                   0 detached
 * Ghosts, for the properties only: stopBegun, stopClaimed, uiLetGo,
 * interrupted, claimPending, claimWaits, delivered[], lostAtStop.
 *
 * Not modelled: a wait that fails (WAIT_FAILED), the module's other bytes,
 * the jukebox, and time: a wait slice may end at any moment, and the bound
 * of EndRemoteSession's wait passes only for writes that never return (a
 * live library call slower than the bound is not modelled).
 *
 * Properties (assertions, and Spin's check for invalid end states):
 *   1. no reopen wins over a removal or a stop: the reader reopens only a
 *      remote it let go itself, never once the stop holds the record, and
 *      after the stop the remote is closed and released;
 *   2. after the stop begins, no write tells the module that the host is
 *      back; after it, the module was told the host is gone unless the
 *      remote was not in service (the last connect failed, or it was lost);
 *   3. a claim by the user-interface thread is granted within a bounded
 *      number of reader waits (CLAIM_WAITS: one);
 *   4. no deadlock: every process ends;
 *   5. every report read while the session lives is delivered exactly once:
 *      none twice, none stale, and none dropped unless a removal, a claim or
 *      the stop came in between.
 */

#define NOBODY 0
#define READER 1
#define UI 2

#define LIVE 1

#define R_NONE 0
#define R_PENDING 1
#define R_REPORT 2
#define R_ERROR 3

#define W_REPORT 0
#define W_STOP 1
#define W_LETGO 2
#define W_TIMEOUT 3

#define REPORTS 3
#define UI_EVENTS 3
#define FAILURES_TOLERATED 2
#define CLAIM_WAITS 1

bit isOpen = 0;
bit lost = 0;
bit connectFailed = 1;
byte session = LIVE;
byte wanted = 0;
byte holder = NOBODY;
byte gateHolders = 0;
byte deadHolders = 0;
bit readerEnded = 0;
bit restartDue = 0;
bit readEvent = 0;
bit stopEvent = 0;
bit letGoEvent = 0;
bit handle = 0;
bit information = 0;
byte readState = R_NONE;
byte buffer = 0;
byte nextReport = 1;
byte linkState = 0;

bit stopBegun = 0;
bit stopClaimed = 0;
bit uiLetGo = 0;
bit interrupted = 0;
bit claimPending = 0;
byte claimWaits = 0;
bit lostAtStop = 0;
byte delivered[REPORTS + 1];

/* RemoteRecordClaim: wanted, the reader woken, then the record lock. */
inline Claim()
{
    atomic { wanted++; interrupted = 1; claimPending = 1; claimWaits = 0 };
    letGoEvent = 1;
    atomic { holder == NOBODY -> holder = UI; claimPending = 0 }
}

/* Its end: the lock first, then the want. */
inline Unclaim()
{
    holder = NOBODY;
    wanted--
}

/* ReleaseDeviceRecord: closing the handle cancels an outstanding read,
 * which ends some time later (the device's error completion). */
inline ReleaseRecord(whole)
{
    handle = 0;
    if
    :: whole ->
        /* the buffer goes: no read may be outstanding on it */
        assert(readState != R_PENDING);
        information = 0
    :: else -> skip
    fi
}

/* A module write through RemoteSessionGate, in the Reader; its thread may
 * end inside the library, before or after the write, holding the gate. */
inline GatedAttachWrite()
{
    gateHolders++;
    if
    :: session == LIVE ->
        if
        :: atomic { assert(!stopBegun); linkState = 2 }
        :: atomic { assert(!stopBegun); linkState = 2; deadHolders++; readerEnded = 1 };
           goto ended
        :: atomic { deadHolders++; readerEnded = 1 };
           goto ended
        fi
    :: else -> skip
    fi;
    gateHolders--
}

/* ReaderThreadPorts::EnterRecord: checked, locked, checked again. */
inline EnterRecord(entered)
{
    if
    :: isOpen && session == LIVE && wanted == 0 ->
        atomic { holder == NOBODY -> holder = READER };
        if
        :: isOpen && session == LIVE && wanted == 0 -> entered = 1
        :: else -> holder = NOBODY; entered = 0
        fi
    :: else -> entered = 0
    fi
}

inline LeaveRecord()
{
    assert(holder == READER);
    holder = NOBODY
}

/* StartReportRead: ReadFile resets the event and leaves the read
 * outstanding, or the read does not start. */
inline StartReportRead(started)
{
    if
    :: handle && information ->
        if
        :: atomic { readEvent = 0; readState = R_PENDING; started = 1; interrupted = (wanted > 0 || !isOpen || session != LIVE) }
        :: started = 0
        fi
    :: else -> started = 0
    fi
}

/* WaitForMultipleObjects on {read, stop, let-go}: the first signalled one
 * by index, or the end of the slice. */
inline WaitForReport(wake)
{
    if
    :: holder == READER && claimPending ->
        claimWaits++;
        assert(claimWaits <= CLAIM_WAITS)
    :: else -> skip
    fi;
    if
    :: atomic { readEvent -> readEvent = 0; wake = W_REPORT }
    :: atomic { !readEvent && stopEvent -> stopEvent = 0; wake = W_STOP }
    :: atomic { !readEvent && !stopEvent && letGoEvent -> letGoEvent = 0; wake = W_LETGO }
    :: wake = W_TIMEOUT
    fi
}

/* CancelReportRead: CancelIo, and for a started read the wait for its end
 * and ResetEvent. */
inline CancelReportRead(started)
{
    if
    :: handle ->
        /* CancelIo: the read ends some time later, with its report if that
         * came first, else with an error (the device's completions) */
        if
        :: started -> readState != R_PENDING; readEvent = 0
        :: else -> skip
        fi
    :: else -> skip
    fi
}

/* A report that completed and is let go undelivered: only when a removal, a
 * claim or the stop came while its read ran, or was under way when it
 * began. */
inline AssertDropExcused()
{
    assert(readState != R_REPORT || delivered[buffer] == 1 || interrupted || stopBegun)
}

proctype Device()
{
end:
    do
    :: atomic { readState == R_PENDING && nextReport <= REPORTS ->
           buffer = nextReport; nextReport++; readState = R_REPORT; readEvent = 1 }
    :: atomic { readState == R_PENDING -> readState = R_ERROR; readEvent = 1 }
    od
}

proctype Reader()
{
    bit entered;
    bit started;
    bit gaveUp;
    bit reopened;
    byte wake;
    byte failures = 0;

    /* WaitForFirstConnect */
    do
    :: session != LIVE -> goto ended
    :: else ->
        EnterRecord(entered);
        if
        :: entered -> LeaveRecord(); break
        :: else -> skip
        fi
    od;

    do
    :: session != LIVE -> break
    :: else ->
        EnterRecord(entered);
        if
        :: !entered -> skip
        :: else ->
            StartReportRead(started);
            do
            :: WaitForReport(wake);
               if
               :: wake == W_STOP ->
                   CancelReportRead(started);
                   LeaveRecord();
                   goto ended
               :: wake != W_STOP && (!isOpen || session != LIVE || wanted > 0) ->
                   CancelReportRead(started);
                   AssertDropExcused();
                   LeaveRecord();
                   break
               :: else ->
                   if
                   :: wake == W_LETGO -> skip
                   :: wake == W_TIMEOUT && started -> skip
                   :: wake == W_TIMEOUT && !started ->
                       CancelReportRead(0);
                       if
                       :: failures <= FAILURES_TOLERATED -> failures++
                       :: else -> skip
                       fi;
                       if
                       :: failures <= FAILURES_TOLERATED ->
                           LeaveRecord();
                           break
                       :: else ->
                           /* GiveUpRemote: open cleared by exchange */
                           atomic {
                               if
                               :: isOpen -> isOpen = 0; gaveUp = 1
                               :: else -> gaveUp = 0
                               fi
                           };
                           if
                           :: !gaveUp ->
                               LeaveRecord();
                               break
                           :: else ->
                               lost = 1;
                               ReleaseRecord(0);
                               /* ReopenRemote: the path again, information kept */
                               if
                               :: assert(!uiLetGo && !stopClaimed);
                                  handle = 1; isOpen = 1; lost = 0; reopened = 1
                               :: reopened = 0
                               fi;
                               LeaveRecord();
                               if
                               :: reopened ->
                                   failures = 0;
                                   /* AnnounceHostAttached through the gate */
                                   GatedAttachWrite()
                               :: else -> skip
                               fi;
                               break
                           fi
                       fi
                   :: wake == W_REPORT && !started ->
                       LeaveRecord();
                       break
                   :: wake == W_REPORT && started ->
                       /* TakeCompletedRead */
                       if
                       :: readState == R_PENDING ->
                           /* a stale signal: the read ends before the
                            * record is let go, and brings nothing */
                           CancelReportRead(1);
                           AssertDropExcused();
                           LeaveRecord();
                           break
                       :: readState == R_ERROR -> started = 0
                       :: readState == R_REPORT ->
                           LeaveRecord();
                           /* DispatchKey */
                           assert(delivered[buffer] == 0);
                           delivered[buffer] = 1;
                           /* the key's action may end the thread */
                           if
                           :: skip
                           :: readerEnded = 1; goto ended
                           fi;
                           break
                       fi
                   fi
               fi
            od
        fi
    od;
ended:
    skip
}

/* NoticeEndedReaderThread: the read the reader left is cancelled and
 * waited for under a claim, then the remote is let go. */
inline NoticeEndedReader()
{
    if
    :: readerEnded && session == LIVE ->
        readerEnded = 0;
        restartDue = 1;
        if
        :: isOpen ->
            Claim();
            readState != R_PENDING;
            Unclaim()
        :: else -> skip
        fi;
        DisconnectRemote(letGo)
    :: else -> skip
    fi
}

inline ConnectRemote()
{
    NoticeEndedReader();
    if
    :: isOpen || session != LIVE -> skip
    :: else ->
        Claim();
        if
        :: isOpen || session != LIVE -> Unclaim()
        :: else ->
            connectFailed = 0;
            if
            :: /* FindAndOpenRemote */
               assert(handle == 0);
               atomic { handle = 1; information = 1; isOpen = 1; uiLetGo = 0 };
               Unclaim();
               /* ResumeReaderThread */
               if
               :: restartDue -> restartDue = 0; run Reader()
               :: else -> skip
               fi;
               /* AnnounceHostAttached, on this thread */
               assert(!stopBegun);
               linkState = 2;
               lost = 0
            :: connectFailed = 1;
               Unclaim()
            fi
        fi
    fi
}

inline DisconnectRemote(letGo)
{
    atomic {
        if
        :: isOpen -> isOpen = 0; letGo = 1; interrupted = 1
        :: else -> letGo = 0
        fi
    };
    if
    :: letGo ->
        uiLetGo = 1;
        Claim();
        ReleaseRecord(1);
        Unclaim()
    :: else -> skip
    fi
}

proctype Ui()
{
    bit letGo;
    byte events = 0;

    /* InitRemoteDevice, then the reader is started */
    ConnectRemote();
    run Reader();

    do
    :: events < UI_EVENTS -> events++; ConnectRemote()
    :: events < UI_EVENTS -> events++; DisconnectRemote(letGo)
    :: events < UI_EVENTS -> events++; NoticeEndedReader()
    :: break
    od;

    /* ShutdownRemoteDevice: the session first */
    /* EndRemoteSession: the end, then the wait for the writes that had
     * passed their gate, bounded for those whose thread ended in one */
    atomic { session = 0; interrupted = 1 };
    gateHolders == deadHolders;
    stopBegun = 1;
    Claim();
    stopClaimed = 1;
    Unclaim();
    lostAtStop = lost;
    if
    :: !connectFailed ->
        if
        :: !lost -> linkState = 0
        :: else -> skip
        fi;
        stopEvent = 1;
        DisconnectRemote(letGo)
    :: else -> skip
    fi
}

init
{
    atomic {
        run Device();
        run Ui()
    };
    /* everything but the device has ended */
    _nr_pr == 2;
    assert(!isOpen && handle == 0);
    assert(connectFailed || lostAtStop || linkState == 0)
}
