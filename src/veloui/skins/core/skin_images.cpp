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

// Its size is asked first: finding out that a file exists reads none of it.
bool ReadBoundedFile(const Text& path, std::uint64_t limit, std::string& bytes) {
  const std::uint64_t size = FileSizeOf(path);
  if (size == 0 || size > limit) return false;
  return ReadWholeFile(path, bytes) && !bytes.empty() && bytes.size() <= limit;
}

// The data entry after the name entry of the file in the current skin's pack (the open one, or
// `read` filled from the file), else nullptr.
const std::string* PackDataOf(TextView fileName, OpenSkinPack& read) {
  const Text path = CurrentSkinPackPath();
  const OpenSkinPack* pack = Skins().OpenPack;
  if (pack == nullptr || pack->Path != path) {
    if (!ReadSkinPack(path, read)) return nullptr;
    pack = &read;
  }
  return FindPackData(pack->Entries, fileName);
}

bool ReadFromPack(TextView fileName, std::string& bytes) {
  OpenSkinPack read;
  const std::string* data = PackDataOf(fileName, read);
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
  if (ReadBoundedFile(InSkinDirectory(fileName), kSkinFileMaxBytes, bytes)) return true;
  const SkinRecord* skin = CurrentSkinRecord();
  if (skin == nullptr) return false;
  const Text bare = BareFileName(fileName);
  if (ReadBoundedFile(InSkinDirectory(skin->Name + kPathSeparator + bare), kSkinFileMaxBytes, bytes)) return true;
  return bare == fileName && ReadFromPack(fileName, bytes);
}

bool ReadSkinPack(const Text& path, OpenSkinPack& pack) {
  pack.Path = path;
  std::string bytes;
  // An entry is stored at most as long as it unpacks: a file much longer than the reader's cap
  // (its headers aside) would be refused after reading it all.
  return ReadBoundedFile(path, kPackMaxTotalSize + (1u << 20), bytes) && ReadPackEntries(bytes, pack.Entries);
}

std::int32_t ResolveSkinFilePath(TextView value) {
  const Text fileName = SkinFileName(value);
  if (fileName.empty()) return 0;
  if (FileSizeOf(InSkinDirectory(fileName)) != 0) return 1;
  const SkinRecord* skin = CurrentSkinRecord();
  const Text bare = BareFileName(fileName);
  if (skin != nullptr && FileSizeOf(InSkinDirectory(skin->Name + kPathSeparator + bare)) != 0) return 1;
  // The pack's name entry is enough: an empty data entry is the image loader's to refuse, and the
  // property then simply holds no image.
  OpenSkinPack read;
  return bare == fileName && PackDataOf(fileName, read) != nullptr ? 1 : -1;
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
