#include "veloui/skins/core/skin_records.h"

#include "runtime/portable/text_ops.h"
#include "veloui/foundation/core/gradient_records.h"
#include "veloui/skins/core/skin_values.h"

SkinGlobals& Skins() {
  static SkinGlobals globals;
  return globals;
}

void ResetSkinGlobals() { Skins() = SkinGlobals(); }

ToolkitRecordList<SkinRecord>& SkinList() { return ToolkitList<SkinRecord>(ToolkitListId::Skins); }

SkinRecord* FindSkinRecord(SkinHandle skin) {
  if (skin == 0) return nullptr;
  for (SkinRecord& record : SkinList()) {
    if (reinterpret_cast<SkinHandle>(&record) == skin) return &record;
  }
  return nullptr;
}

SkinRecord* CurrentSkinRecord() { return FindSkinRecord(Skins().Current); }

SkinHandle CreateSkin(TextView name) {
  SkinRecord& record = SkinList().emplace_back();
  record.Name = Text(name);
  Skins().Current = reinterpret_cast<SkinHandle>(&record);
  return Skins().Current;
}

SkinHandle FindSkin(TextView name) {
  for (SkinRecord& record : SkinList()) {
    if (EqualIgnoringCase(record.Name, name)) return reinterpret_cast<SkinHandle>(&record);
  }
  return 0;
}

Text GetSkinName(SkinHandle skin) {
  const SkinRecord* record = FindSkinRecord(skin);
  return record != nullptr ? record->Name : Text();
}

SkinPropertyRecord TakeSkinPropertyHandle(SkinPropertyRecord& property) {
  SkinPropertyRecord taken = property;
  property.Owned = SkinOwnedHandle::None;
  property.Type = 0;
  property.Value = 0;
  property.Mode = 0;
  return taken;
}

void ReleaseSkinPropertyHandle(SkinPropertyRecord& property) {
  const SkinPropertyRecord taken = TakeSkinPropertyHandle(property);
  const SkinServices& services = Skins().Services;
  switch (taken.Owned) {
    case SkinOwnedHandle::Gradient: FreeGradient(taken.Value); break;
    case SkinOwnedHandle::Font:
      if (services.FreeFont != nullptr) services.FreeFont(taken.Value);
      break;
    case SkinOwnedHandle::Image:
      if (services.FreeImage != nullptr) services.FreeImage(taken.Value);
      break;
    case SkinOwnedHandle::None: break;
  }
}

std::int32_t FreeSkin(SkinHandle skin) {
  auto& list = SkinList();
  for (auto record = list.begin(); record != list.end(); ++record) {
    if (reinterpret_cast<SkinHandle>(&*record) != skin) continue;
    for (auto& component : record->Components)
      for (auto& state : component.States)
        for (auto& property : state.Properties) ReleaseSkinPropertyHandle(property);
    list.erase(record);
    if (Skins().Current == skin) Skins().Current = 0;
    return 1;
  }
  return 0;
}

std::int32_t IsSkin(SkinHandle skin) {
  if (FindSkinRecord(skin) == nullptr) return 0;
  Skins().Current = skin;
  return 1;
}

std::int32_t SelectSkinRecord(SkinHandle skin, std::uint8_t flag) {
  SkinRecord* record = FindSkinRecord(skin);
  if (record == nullptr) return 0;
  if (flag <= 1) record->InUse = flag;
  return 1;
}

std::uint8_t IsSkinInUse(SkinHandle skin) {
  const SkinRecord* record = FindSkinRecord(skin);
  return record != nullptr ? record->InUse : 0;
}

namespace {

template <class Record>
Record* Named(std::list<Record>& records, TextView name) {
  for (Record& record : records) {
    if (record.Name == name) return &record;
  }
  return nullptr;
}

template <class Record>
Record& NamedOrAdded(std::list<Record>& records, TextView name) {
  if (Record* found = Named(records, name)) return *found;
  Record& added = records.emplace_back();
  added.Name = Text(name);
  return added;
}

}  // namespace

SkinPropertyRecord* AddSkinProperty(TextView component, TextView state, TextView property) {
  SkinRecord* skin = CurrentSkinRecord();
  if (skin == nullptr) return nullptr;
  auto& componentRecord = NamedOrAdded(skin->Components, component);
  auto& stateRecord = NamedOrAdded(componentRecord.States, state);
  return &NamedOrAdded(stateRecord.Properties, property);
}

SkinPropertyRecord* FindSkinProperty(TextView component, TextView state, TextView property) {
  SkinRecord* skin = CurrentSkinRecord();
  if (skin == nullptr) return nullptr;
  auto* componentRecord = Named(skin->Components, LowerText(component));
  auto* stateRecord = componentRecord != nullptr ? Named(componentRecord->States, LowerText(state)) : nullptr;
  return stateRecord != nullptr ? Named(stateRecord->Properties, LowerText(property)) : nullptr;
}

std::int32_t SkinPropertyExists(TextView component, TextView state, TextView property) {
  return FindSkinProperty(component, state, property) != nullptr ? 1 : 0;
}

namespace {

SkinPropertyRecord* PropertyOfSkin(SkinHandle skin, TextView component, TextView state, TextView property) {
  if (FindSkinRecord(skin) == nullptr) return nullptr;
  CurrentSkinScope scope(skin);
  return AddSkinProperty(NormaliseSkinComponent(component), LowerText(state), LowerText(property));
}

}  // namespace

std::int32_t SetSkinPropertyValue(SkinHandle skin, TextView component, TextView state, TextView property,
                                  std::uintptr_t value, SkinOwnedHandle owned) {
  SkinPropertyRecord* record = PropertyOfSkin(skin, component, state, property);
  if (record == nullptr) return 0;
  // The mode goes with the handle it described (4: a gradient): kept, it would make the new
  // handle read as one. A caller that stores a handle of a kind sets its mode afterwards.
  SkinPropertyRecord replaced = TakeSkinPropertyHandle(*record);
  record->Type = kSkinValueHandle;
  record->Value = value;
  record->Owned = owned;
  // The same handle stored again stays; the property's own.
  if (replaced.Value == value) replaced.Owned = SkinOwnedHandle::None;
  // Controls wearing the skin still hold the old handle: it goes only after the broadcast has
  // made them read the new one, as with SetSkinProperty.
  if (replaced.Owned != SkinOwnedHandle::None && FindSkinRecord(skin)->InUse == 1 && !Skins().SkinBuildInProgress &&
      Skins().Services.Broadcast != nullptr)
    Skins().Services.Broadcast(skin);
  ReleaseSkinPropertyHandle(replaced);
  return 1;
}

std::int32_t SetSkinPropertyMode(SkinHandle skin, TextView component, TextView state, TextView property,
                                 std::uint32_t mode) {
  SkinPropertyRecord* record = PropertyOfSkin(skin, component, state, property);
  if (record == nullptr) return 0;
  record->Mode = mode;
  return 1;
}
