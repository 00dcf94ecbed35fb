#pragma once
// Rebars whose bands are painted with a style background and can be dragged between rows.
// The menu bar sits in a band of one. Bands are added to the current rebar, the one made last.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "runtime/portable/text.h"

// Sent to a rebar's top-level window and its parent when the bar's height changes:
// wParam the new height, lParam the rebar window.
constexpr UINT kRebarHeightMessage = 0x8953;

using RebarHeightProc = LRESULT (*)(HWND rebar, UINT message, WPARAM height, LPARAM rebarWindow);

struct RebarRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  HWND Parent = nullptr;
  REBARBANDINFOW Work{};  // filled for each insertion
  std::uint32_t Style = 0;  // 0, UISTYLE_OFFICE2003 or UISTYLE_OFFICE2007
  RebarHeightProc HeightChanged = nullptr;
  bool AskedBandBorders = false;  // RBS_BANDBORDERS was asked for but not given
  bool Composited = false;        // the first WM_SIZE of the host still has to compose it
  bool CompositedDone = false;
  UINT BandCounter = 0;
  int LastBarHeight = -1;  // the bar height last told by ForwardRebarMessage
};

struct RebarBandRecord {
  HWND Parent = nullptr;
  HWND Rebar = nullptr;
  HWND Child = nullptr;
  UINT BandId = 0;
  HBITMAP Background = nullptr;  // nullptr: the style image
  bool Created = false;
  Text BandText;  // the rebar reads the band text from here
};

// Returns the rebar window for id -1, else the id; 0 when the id is taken or creation fails.
std::intptr_t CreateRebar(std::intptr_t id, HWND parent, std::int32_t styleSwitch, std::uint32_t flags,
                          std::int32_t unused = 0);
// The new band's id, or -1 when there is no current rebar or the band was refused.
std::int32_t AddRebarBand(HWND child, const Text& text, int width, int minimumWidth, int height,
                          HBITMAP background, UINT bandStyle);
// RB_GETBARHEIGHT of the rebar with that id or window; 0 when there is none.
int GetRebarHeight(std::intptr_t idOrWindow);
// One rebar, or -1 for all; 1 when something was freed.
std::int32_t FreeRebar(std::intptr_t id);
void LayoutRebarBands(HWND window);
// The band's rectangle in rebar co-ordinates, borders included; an empty one when unknown.
RECT GetRebarBandRect(HWND rebar, int bandIndex);
// Tells the rebar's windows of a new bar height (0: read it from the rebar), when it differs
// from the last one told of that rebar: of the current rebar, or of the rebar with that id or window.
std::int32_t ForwardRebarMessage(int barHeight);
std::int32_t ForwardRebarMessage(std::intptr_t idOrWindow, int barHeight);

RebarRecord* FindRebarRecord(std::intptr_t idOrWindow);
// Makes another rebar the target of AddRebarBand.
void SetCurrentRebar(std::intptr_t id);
// The next band lands at this index instead of the end (once); -2 appends.
void SetPendingRebarBandPosition(int position);
// No current rebar, no pending band (toolkit start-up and tests).
void ResetRebarBuilderState();
