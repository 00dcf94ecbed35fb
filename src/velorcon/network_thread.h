#pragma once
// The network thread: it checks the time-outs, runs one pump pass and fires the automatic
// player refresh, then sleeps until a datagram comes, it is woken (network_wake.h) or the
// next of those falls due. It runs from StartNetworkThread until StopNetworkThread, which the
// program calls at shut-down before the connection and the windows go away.

// One pass of the thread: the time-outs, one pump pass, the automatic refresh when due.
void NetworkThreadPass();
// The thread procedure: a pass whenever there is work; returns once StopNetworkThread asked it to.
void NetworkThread();
// Starts the thread unless it runs already.
void StartNetworkThread();
// Asks the thread to end and joins it; the calling thread keeps serving its messages through
// the RconWaitHook meanwhile, and a MaxPing prompt of the thread is cancelled. Does nothing
// when the thread does not run.
void StopNetworkThread();
