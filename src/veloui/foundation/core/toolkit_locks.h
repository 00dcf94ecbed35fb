#pragma once
// The toolkit's eight locks and the one way of taking them. Each is recursive (its holder
// may take it again). A taker tries the lock, yielding the processor between tries, until it
// gets it; it never releases a lock another thread holds. After 1000 ms the wait is reported
// once as a stale lock and goes on: the toolkit never holds one of its locks across a call
// that waits for another thread, so a holder always comes back.
#include <cstdint>

enum class ToolkitLock : int {
  SecondThread, Subclass, TextControl, Menu, MenuBar, PanelEx, Shortcut, Animation, Count
};

constexpr std::uint32_t kStaleToolkitLockMs = 1000;

// Returns 1 once the lock is held.
std::int32_t TakeToolkitLock(ToolkitLock lock);
// Leaves the lock once; only its holder calls it.
void ReleaseToolkitLock(ToolkitLock lock);

// Makes the eight locks afresh (InitToolkit does, before any toolkit thread runs).
void CreateToolkitMutexSet();

// Holds a toolkit lock for one scope.
class ToolkitLockGuard {
 public:
  explicit ToolkitLockGuard(ToolkitLock lock) : lock_(lock) { TakeToolkitLock(lock_); }
  ~ToolkitLockGuard() { ReleaseToolkitLock(lock_); }
  ToolkitLockGuard(const ToolkitLockGuard&) = delete;
  ToolkitLockGuard& operator=(const ToolkitLockGuard&) = delete;

 private:
  ToolkitLock lock_;
};
