#pragma once
// The toolkit's process-wide registry: one record list per control family and a few
// text-keyed maps. Each owning module defines its record type and reaches its list by
// id; InitToolkit empties them all. A list or map stays the same object (its records
// keep their addresses, which serve as handles) until the next InitToolkit. Take the
// lock that guards a list (toolkit_locks.h) before touching its records.
#include <cstdint>
#include <list>
#include <memory>
#include <typeinfo>
#include <unordered_map>

#include "runtime/portable/text.h"

enum class ToolkitListId : int {
  ListViewItemImages, PanelExBrushCache, TextControls, PanelExPages, PanelExPanels,
  RebarBands, Rebars, Toolbars, ToolbarButtons, ToolbarTooltips, MenuItems, Menus,
  PopupWindows, MenuKeys, HostWindows, ButtonEx, SplitterEx, ExplorerBar, Gradients,
  SizeFollowers, DropShadows, PopupShadows, TitleShadows, Skins, ColourNotify, ImageStore,
  Count
};

enum class ToolkitMapId : int {
  NamedColours, ImageStoreKeys, ResourceImages, ResourceImageRecords, ChildSubclass, Shortcuts,
  Count
};

// The bucket count a map is created with (the child subclass map is the big one).
std::size_t ToolkitMapBuckets(ToolkitMapId id);

template <class Record>
using ToolkitRecordList = std::list<Record>;
template <class Value>
using ToolkitTextMap = std::unordered_map<Text, Value>;

namespace toolkit_detail {
using Maker = void* (*)(std::size_t buckets);
using Destroyer = void (*)(void*);
// The stored object of a slot, made on first use; a slot asked for with another type than
// it holds is a programming error and stops the program.
void* ListSlot(ToolkitListId id, const std::type_info& type, Maker make, Destroyer destroy);
void* MapSlot(ToolkitMapId id, const std::type_info& type, Maker make, Destroyer destroy);
}  // namespace toolkit_detail

template <class Record>
ToolkitRecordList<Record>& ToolkitList(ToolkitListId id) {
  using L = ToolkitRecordList<Record>;
  return *static_cast<L*>(toolkit_detail::ListSlot(
      id, typeid(L), [](std::size_t) { return static_cast<void*>(new L()); }, [](void* p) { delete static_cast<L*>(p); }));
}

template <class Value>
ToolkitTextMap<Value>& ToolkitMap(ToolkitMapId id) {
  using M = ToolkitTextMap<Value>;
  return *static_cast<M*>(toolkit_detail::MapSlot(
      id, typeid(M), [](std::size_t buckets) { return static_cast<void*>(new M(buckets)); }, [](void* p) { delete static_cast<M*>(p); }));
}

// Destroys every list and map (with their records), so each starts empty at next use.
void ResetToolkitGlobalLists();

// A new number for an object whose caller asked for the automatic number -1: the address
// of a new zeroed block, so it never collides with the small numbers callers choose.
std::intptr_t AllocateObjectNumber();

// Automatic command ids: 65534, 65533, ... wrapping modulo 65536.
std::uint16_t NextAutoCommandID();
void ResetAutoCommandID();
