#include "veloui/skins/core/skin_images.h"

#include <vector>

#include "runtime/portable/files.h"
#include "runtime/portable/pack.h"
#include "runtime/portable/text_ops.h"
#include "veloui/skins/core/skin_records.h"
#include "veloui/skins/core/skin_values.h"

namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool HasFileNameCharacters(TextView name) {
  if (name.empty()) return false;
  for (char16_t c : name) {
    if (c < 0x20 || TextView(u"<>:\"|?*").find(c) != TextView::npos) return false;
  }
  return true;
}

int ReadSize(TextView text) { return ParseInteger32Text(text, IntegerBases::Decimal, IntegerRange::Saturate32); }

bool ReadNonEmptyFile(const Text& path, std::string& bytes) { return ReadWholeFile(path, bytes) && !bytes.empty(); }

bool ReadFromPack(TextView fileName, std::string& bytes) {
  std::vector<std::string> read;
  const std::vector<std::string>* entries = Skins().LoadingPack;
  if (entries == nullptr) {
    std::string pack;
    // A missing, empty or malformed pack is no pack.
    if (!ReadNonEmptyFile(CurrentSkinPackPath(), pack) || !ReadPackEntries(pack, read)) return false;
    entries = &read;
  }
  const std::string* data = FindPackData(*entries, fileName);
  if (data == nullptr || data->empty()) return false;
  bytes = *data;
  return true;
}

}  // namespace

Text BareFileName(TextView path) {
  std::size_t at = path.size();
  while (at > 0 && !IsSeparator(path[at - 1])) --at;
  return Text(path.substr(at));
}

Text SkinFileName(TextView value) {
  const Text cut = CutAtSemicolon(value);
  const std::size_t dot = cut.find(u'.');
  if (dot == Text::npos || dot == 0 || dot + 1 == cut.size() || IsNumericString(cut)) return {};
  // A colour such as rgba(0,0,0,0.5) has a point too, and is no file.
  if (ReadSkinColour(cut)) return {};
  return HasFileNameCharacters(BareFileName(cut)) ? cut : Text();
}

Text InSkinDirectory(TextView path) {
  const bool absolute = (!path.empty() && IsSeparator(path[0])) || (path.size() > 1 && path[1] == u':');
  return absolute ? Text(path) : Skins().SkinDirectory + Text(path);
}

Text CurrentSkinPackPath() {
  const SkinRecord* skin = CurrentSkinRecord();
  if (skin == nullptr) return {};
  return skin->PackFile.empty() ? InSkinDirectory(skin->Name + u".sknz") : skin->PackFile;
}

bool ReadSkinFileBytes(TextView fileName, std::string& bytes) {
  if (ReadNonEmptyFile(InSkinDirectory(fileName), bytes)) return true;
  const SkinRecord* skin = CurrentSkinRecord();
  if (skin == nullptr) return false;
  const Text bare = BareFileName(fileName);
  if (ReadNonEmptyFile(InSkinDirectory(skin->Name + kPathSeparator + bare), bytes)) return true;
  return bare == fileName && ReadFromPack(fileName, bytes);
}

std::int32_t ResolveSkinFilePath(TextView value) {
  const Text fileName = SkinFileName(value);
  if (fileName.empty()) return 0;
  std::string bytes;
  return ReadSkinFileBytes(fileName, bytes) ? 1 : -1;
}

std::uintptr_t LoadSkinImage(TextView value) {
  const Text fileName = SkinFileName(value);
  const auto make = Skins().Services.MakeImage;
  std::string bytes;
  if (fileName.empty() || make == nullptr || !ReadSkinFileBytes(fileName, bytes)) return 0;
  std::vector<SkinAttribute> options;
  ParseSkinAttributes(value, options);
  int width = 0;
  int height = 0;
  for (const SkinAttribute& option : options) {
    if (EqualIgnoringCase(option.Name, u"width")) width = ReadSize(option.Value);
    if (EqualIgnoringCase(option.Name, u"height")) height = ReadSize(option.Value);
  }
  return make(bytes, width, height);
}
