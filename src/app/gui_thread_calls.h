#pragma once
// Work for the main window that arrives on another thread (the network thread's reply
// handlers) is carried over to the GUI thread and waited for there, so that only the GUI
// thread ever touches a window. The GUI thread keeps serving such hand-overs while it waits
// itself, through ServeSentMessages, so the two threads cannot deadlock.
#include <functional>

// On the GUI thread, before any other thread hands work over.
void InitGuiThreadCalls();
void FreeGuiThreadCalls();
bool OnGuiThread();
// Runs `work` on the GUI thread and returns when it is done. Before InitGuiThreadCalls, or
// after FreeGuiThreadCalls, work from another thread is dropped.
void RunOnGuiThread(const std::function<void()>& work);
// Runs the hand-overs waiting for this thread; the wait hook of the protocol code.
void ServeSentMessages();
