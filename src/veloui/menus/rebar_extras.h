#pragma once
// Further rebar operations: bands added to a named rebar, the rebar's UI style and its
// height-change procedure, and bands shown, hidden, removed and moved by id or index.
// A rebar (by id or window) or band that does not exist makes an operation do nothing and
// return 0, except where said otherwise.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/menus/rebars.h"

// Makes the rebar current and adds a band; the band id, or -1.
std::int32_t AddRebarBandTo(std::intptr_t rebar, HWND child, const Text& text, int width, int minimumWidth,
                            int height, HBITMAP background, UINT bandStyle);
// 0, UISTYLE_OFFICE2003 or UISTYLE_OFFICE2007; any other value is 0.
std::int32_t SetRebarStyle(std::intptr_t rebar, std::uint32_t style);
// The previous procedure (nullptr for none); -1 as a procedure value when there is no such rebar.
RebarHeightProc SetRebarHeightCallback(std::intptr_t rebar, RebarHeightProc procedure);
inline const RebarHeightProc kNoSuchRebar = reinterpret_cast<RebarHeightProc>(static_cast<std::intptr_t>(-1));
HWND GetRebarWindow(std::intptr_t rebar);
std::int32_t ShowRebarBand(std::intptr_t rebar, std::int32_t bandId, bool shown);
// The band goes and its child is given to the rebar's parent.
std::int32_t RemoveRebarBand(std::intptr_t rebar, std::int32_t bandId);
// The id of the band at `index`; -1 when there is none.
std::int32_t GetRebarBandID(std::intptr_t rebar, int index);
std::int32_t MoveRebarBandTo(std::intptr_t rebar, int from, int to);
