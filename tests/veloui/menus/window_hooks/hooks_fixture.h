#pragma once
// The toolkit started once for the whole test program (menu shadows allowed), torn down at
// its end; a top-level test window per test and a few helpers to read windows back.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "runtime/portable/text.h"

class HooksTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A child of the test window (or of `parent`), made while the hook watches.
  HWND MakeChild(const wchar_t* className, DWORD style, HWND parent = nullptr);
  HWND Window = nullptr;
};

WNDPROC ProcedureOf(HWND window);
// Registers a window class of that name with the default procedure.
void RegisterClassNamed(const wchar_t* name);
Text ClassOf(HWND window);
// Dispatches waiting messages for about `milliseconds` (bounded), or until `done` says so.
void PumpMessagesFor(DWORD milliseconds, bool (*done)() = nullptr);
