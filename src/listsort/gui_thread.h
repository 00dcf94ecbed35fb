#pragma once
// Carries a call made on another thread (the network thread's reply handlers refill lists)
// over to the GUI thread through a message-only window, and waits for its result there.
#include <windows.h>

// Made by InitListSortLibrary on the thread that becomes the GUI thread.
bool CreateHandOffWindow();
void DestroyHandOffWindow();

// True on a thread other than the GUI thread while the hand-off window exists.
bool MustHandOff();
// Runs `run(context)` on the GUI thread and returns when it is done.
void RunOnGuiThread(void (*run)(void*), void* context);

template <typename Call>
int OnGuiThread(Call call) {
  if (!MustHandOff()) return call();
  int result = 0;
  auto job = [&] { result = call(); };
  RunOnGuiThread([](void* context) { (*static_cast<decltype(job)*>(context))(); }, &job);
  return result;
}
