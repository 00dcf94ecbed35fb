#pragma once
// Skin records: named sets of drawing properties for the skinned controls, addressed by
// component, state and property ("buttonex" / "hot" / "background"). A skin's handle is the
// address of its record in the toolkit's skins list. The handles a property owns (gradients,
// fonts, images) are made and freed through SkinServices, which the windowed half binds at
// toolkit start-up and tests replace with fakes.
#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/toolkit_registry.h"

using SkinHandle = std::uintptr_t;

// What a property's Value holds that must be freed with it. Pictures the built-in skins share
// for the life of the program are stored as None.
enum class SkinOwnedHandle : std::uint8_t { None, Gradient, Font, Image };

inline constexpr std::uint32_t kSkinValueHandle = 3;  // Type: Value holds a handle or number
inline constexpr std::uint32_t kSkinModeGradient = 4;
inline constexpr std::uint32_t kSkinModeFont = 0;

struct SkinPropertyRecord {
  Text Name;       // lower case
  Text ValueText;  // the value as passed, lower case
  std::uint32_t Type = 0;
  std::uintptr_t Value = 0;
  std::uint32_t Mode = 0;
  SkinOwnedHandle Owned = SkinOwnedHandle::None;
};

struct SkinStateRecord {
  Text Name;
  std::list<SkinPropertyRecord> Properties;
};

struct SkinComponentRecord {
  Text Name;
  std::list<SkinStateRecord> States;
};

struct SkinRecord {
  Text Name, Author, Date, Version, Url;
  std::list<SkinComponentRecord> Components;
  std::uint8_t InUse = 0;  // 1: a property change re-broadcasts the skin
  // The pack the skin was read from, searched for the files it names (else Name + ".sknz").
  Text PackFile;
};

struct SkinServices {
  // An image from a file's bytes at the asked size (0: its own size); 0 when undecodable.
  std::uintptr_t (*MakeImage)(std::string_view bytes, int width, int height) = nullptr;
  void (*FreeImage)(std::uintptr_t image) = nullptr;
  std::uintptr_t (*CreateGradient)(std::uint32_t kind, std::uint32_t start, std::uint32_t end) = nullptr;
  std::uintptr_t (*LoadFont)(const Text& face, int size, std::uint32_t style) = nullptr;
  void (*FreeFont)(std::uintptr_t font) = nullptr;
  std::int32_t (*Broadcast)(SkinHandle skin) = nullptr;
};

// A pack's path and its entries in order (name and data entries in pairs, the document last).
struct OpenSkinPack {
  Text Path;
  std::vector<std::string> Entries;
};

struct SkinGlobals {
  SkinHandle Current = 0;
  bool SkinBuildInProgress = false;  // set while a file or a built-in skin is read: no broadcast
  Text SkinDirectory;                // "" or a folder ending in the path separator
  SkinServices Services;
  // While a skin is loaded from a pack or saved: that pack, read once for all its lookups.
  const OpenSkinPack* OpenPack = nullptr;
};
SkinGlobals& Skins();
// Back to no current skin, no directory, no build and no services.
void ResetSkinGlobals();

ToolkitRecordList<SkinRecord>& SkinList();
// The record of a handle in the skins list, else nullptr (leaves the current skin alone).
SkinRecord* FindSkinRecord(SkinHandle skin);
SkinRecord* CurrentSkinRecord();

// Makes a skin current for one scope and restores the previous one afterwards.
class CurrentSkinScope {
 public:
  explicit CurrentSkinScope(SkinHandle skin) : previous_(Skins().Current) { Skins().Current = skin; }
  ~CurrentSkinScope() { Skins().Current = previous_; }
  CurrentSkinScope(const CurrentSkinScope&) = delete;
  CurrentSkinScope& operator=(const CurrentSkinScope&) = delete;

 private:
  SkinHandle previous_;
};

// Keeps a pack open for the lookups of one load or save.
class OpenSkinPackScope {
 public:
  explicit OpenSkinPackScope(const OpenSkinPack& pack) : previous_(Skins().OpenPack) { Skins().OpenPack = &pack; }
  ~OpenSkinPackScope() { Skins().OpenPack = previous_; }
  OpenSkinPackScope(const OpenSkinPackScope&) = delete;
  OpenSkinPackScope& operator=(const OpenSkinPackScope&) = delete;

 private:
  const OpenSkinPack* previous_;
};

SkinHandle CreateSkin(TextView name);  // appended and made current
SkinHandle FindSkin(TextView name);    // without regard to case; 0 when absent
Text GetSkinName(SkinHandle skin);
// Frees the skin with its gradients, fonts and images; 0 when it is no skin.
std::int32_t FreeSkin(SkinHandle skin);
// 1 when the handle is a skin of the list, which then becomes the current skin.
std::int32_t IsSkin(SkinHandle skin);
// Flag 0 or 1 sets InUse (any other flag changes nothing); 0 when the skin is unrecognised.
std::int32_t SelectSkinRecord(SkinHandle skin, std::uint8_t flag);
std::uint8_t IsSkinInUse(SkinHandle skin);

// In the current skin: finds or appends the component, state and property (exact names).
// nullptr when there is no current skin.
SkinPropertyRecord* AddSkinProperty(TextView component, TextView state, TextView property);
// The same search on lower-cased keys, adding nothing.
std::int32_t SkinPropertyExists(TextView component, TextView state, TextView property);
SkinPropertyRecord* FindSkinProperty(TextView component, TextView state, TextView property);

// Frees what the property owns and clears its handle fields.
void ReleaseSkinPropertyHandle(SkinPropertyRecord& property);
// Clears the handle fields and returns them, for the caller to release later.
SkinPropertyRecord TakeSkinPropertyHandle(SkinPropertyRecord& property);
// Adds the property when missing and stores Value with Type 3 (an image the skin shall free
// is marked with `owned`); 0 when the skin is unrecognised.
std::int32_t SetSkinPropertyValue(SkinHandle skin, TextView component, TextView state, TextView property,
                                  std::uintptr_t value, SkinOwnedHandle owned = SkinOwnedHandle::None);
std::int32_t SetSkinPropertyMode(SkinHandle skin, TextView component, TextView state, TextView property,
                                 std::uint32_t mode);
