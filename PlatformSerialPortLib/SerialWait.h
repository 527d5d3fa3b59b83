// The console's waits on the UART are bounded: a wait gives up after this many status reads,
// and the write that waited then returns 0, as for any failed write. A working UART empties
// its largest FIFO (64 bytes) at the slowest selectable rate (9600 baud) in about 67 ms,
// some 170,000 reads at 0.4 microseconds each; the bound leaves a wide margin over that, and
// keeps a missing UART or a peer that never clears to send from holding the processor, and
// every processor waiting for it in SMM, for ever. The host build lets tests lower it.
#pragma once
#include "FixedSettings.h"

VORQ_SETTING UINT32 mSerialWaitPolls = 0x200000;
