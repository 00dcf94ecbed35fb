#pragma once
// Hands a call made on another thread (the network thread's reply handlers) over to the GUI
// thread and waits there for it to finish (or, posted, lets it run there later), so that only the GUI thread ever touches a window.
// The call travels as a sent message to a message-only window of the GUI thread; the GUI
// thread serves sent messages whenever it waits for messages, and ServeSentMessages lets it
// serve them inside its own waits, so the two threads cannot deadlock.
#include <windows.h>

#include <atomic>
#include <functional>

class GuiThreadHandOff {
 public:
  // On the thread that becomes the GUI thread. False when the window could not be made.
  bool Create();
  void Destroy();
  bool Exists() const { return window_.load() != nullptr; }
  bool OnGuiThread() const { return GetCurrentThreadId() == thread_.load(); }
  // True on another thread while the hand-off window exists.
  bool MustHandOff() const { return Exists() && !OnGuiThread(); }
  // Runs `work` on the GUI thread and returns when it is done: at once on the GUI thread,
  // through the window from any other. Without the window, work from another thread is
  // dropped (false).
  bool Run(const std::function<void()>& work) const;
  // Queues `work` for the GUI thread's message loop and returns at once, from any thread: for
  // workers that must never wait for the window. Dropped (false) without the window.
  bool Post(std::function<void()> work) const;

 private:
  std::atomic<HWND> window_{nullptr};
  std::atomic<DWORD> thread_{0};
};

// Serves the calls waiting for this thread without taking any posted message.
void ServeSentMessages();
