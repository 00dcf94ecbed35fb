#include "veloui/skins/core/skin_files.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "runtime/portable/files.h"
#include "runtime/portable/pack.h"
#include "runtime/portable/text_ops.h"
#include "runtime/portable/xml.h"
#include "veloui/skins/core/skin_images.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/core/skin_values.h"

namespace {

Text FolderOf(const Text& path) { return path.substr(0, path.size() - BareFileName(path).size()); }

Text BaseName(const Text& path) {
  const Text bare = BareFileName(path);
  return bare.substr(0, bare.rfind(u'.'));
}

Text Extension(const Text& path) {
  const Text bare = BareFileName(path);
  const std::size_t dot = bare.rfind(u'.');
  return dot == Text::npos ? Text() : LowerText(TextView(bare).substr(dot + 1));
}

Text WithExtension(const Text& path, TextView extension) { return FolderOf(path) + BaseName(path) + Text(extension); }

// The document of a skin file: the file itself, its ".skn" beside it or in a folder named after
// it, else the last entry of its ".sknz" pack (whose other entries are kept for the images).
bool FindDocument(const Text& path, std::string& document, OpenSkinPack& pack) {
  if (Extension(path) == u"skn") return ReadWholeFile(path, document);
  const Text base = BaseName(path);
  if (ReadWholeFile(WithExtension(path, u".skn"), document) ||
      ReadWholeFile(FolderOf(path) + base + kPathSeparator + base + u".skn", document)) {
    return true;
  }
  if (!ReadSkinPack(WithExtension(path, u".sknz"), pack) || pack.Entries.empty()) return false;
  document = std::move(pack.Entries.back());
  pack.Entries.pop_back();
  return true;
}

Text PropertyValue(const Text& text) {
  Text value;
  for (char16_t c : text) {
    if (c != u'\r' && c != u'\n' && c != u'\t') value += c;
  }
  return TrimSpaces(value);
}

// One property with no broadcast; -2 when it names a missing image file.
std::int32_t ReadProperty(SkinHandle skin, const Text& component, const Text& state, const XmlElement& property) {
  const bool building = Skins().SkinBuildInProgress;
  Skins().SkinBuildInProgress = true;
  const std::int32_t set = SetSkinProperty(skin, component, state, property.AttributeOr(u"id"), PropertyValue(property.text));
  Skins().SkinBuildInProgress = building;
  return set < 0 ? -2 : 1;
}

std::int32_t ReadComponent(SkinHandle skin, const XmlElement& component) {
  const Text componentName = component.AttributeOr(u"id");
  for (const XmlElement& state : component.children) {
    if (!state.NameIs(u"state")) return -1;
    for (const XmlElement& property : state.children) {
      if (!property.NameIs(u"property")) return -1;
      const std::int32_t read = ReadProperty(skin, componentName, state.AttributeOr(u"id"), property);
      if (read != 1) return read;
    }
  }
  return 1;
}

// Every child of the root counts, wherever it stands, and the last of a name wins, as a walk
// through the document in order leaves them: a document of ours holds each once, before the
// components, and one written by hand loses no header text that follows them.
void ReadHeader(const XmlElement& root, SkinRecord& skin) {
  const std::pair<const char16_t*, Text SkinRecord::*> fields[] = {
      {u"author", &SkinRecord::Author}, {u"date", &SkinRecord::Date}, {u"version", &SkinRecord::Version},
      {u"url", &SkinRecord::Url}};
  for (const XmlElement& element : root.children) {
    for (const auto& [name, field] : fields) {
      if (element.NameIs(name)) skin.*field = element.AttributeOr(u"id");
    }
  }
}

Text SkinNameOf(const XmlElement& root) {
  for (const XmlElement& element : root.children) {
    if (element.NameIs(u"name")) return element.AttributeOr(u"id");
  }
  return {};
}

}  // namespace

std::int32_t SetSkinDirectory(TextView path) {
  Text folder(path);
  if (folder.empty() || !IsExistingFolder(folder)) return 0;
  if (folder.back() != u'\\' && folder.back() != u'/') folder += kPathSeparator;
  Skins().SkinDirectory = folder;
  return 1;
}

std::intptr_t LoadSkinFile(TextView file) {
  const Text path = InSkinDirectory(file);
  std::string document;
  OpenSkinPack pack;
  XmlElement root;
  if (!FindDocument(path, document, pack) || !ParseXmlDocument(document, u"skin", root)) return 0;

  // The skin comes into being at the first component: a document without one is no skin.
  SkinHandle skin = 0;
  OpenSkinPackScope open(pack);
  std::int32_t result = 1;
  for (const XmlElement& element : root.children) {
    // Any other top-level element is no part of the vocabulary and is passed over.
    if (!element.NameIs(u"component")) continue;
    if (skin == 0) {
      skin = CreateSkin(SkinNameOf(root));
      SkinRecord& record = *FindSkinRecord(skin);
      ReadHeader(root, record);
      record.PackFile = pack.Path;
    }
    result = ReadComponent(skin, element);
    if (result != 1) break;
  }
  if (skin != 0 && result == 1) return static_cast<std::intptr_t>(skin);
  if (skin != 0) FreeSkin(skin);
  return skin != 0 ? result : 0;
}

namespace {

struct PackedFile {
  Text Name;  // bare
  std::string Bytes;
};

// "arrow.png", 2 -> "arrow_2.png".
Text NumberedName(const Text& bare, int number) {
  const std::size_t dot = bare.rfind(u'.');
  const std::size_t at = dot == Text::npos ? bare.size() : dot;
  return bare.substr(0, at) + u"_" + DecimalText(number) + bare.substr(at);
}

// "arrow_2.png" is a numbered form of "arrow.png"; so is "arrow.png" itself.
bool IsNumberedFormOf(const Text& name, const Text& bare) {
  if (name == bare) return true;
  const std::size_t dot = bare.rfind(u'.');
  const std::size_t at = dot == Text::npos ? bare.size() : dot;
  const Text stem = bare.substr(0, at) + u"_";
  const Text extension = bare.substr(at);
  if (name.size() <= stem.size() + extension.size() || name.compare(0, stem.size(), stem) != 0 ||
      name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
    return false;
  const Text number = name.substr(stem.size(), name.size() - stem.size() - extension.size());
  return number.find_first_not_of(u"0123456789") == Text::npos;
}

Text PropertyKey(const Text& component, const Text& state, const Text& property) {
  return component + u'\n' + state + u'\n' + property;
}

// The pack a save replaces: its entries, and the name under which each property's file went
// into it (its document names them), since two files of the same bare name went in under
// numbered names.
struct OlderPack {
  const std::vector<std::string>& Entries;
  std::map<Text, Text> SavedNames;  // PropertyKey -> the name in the pack
};

OlderPack ReadOlderPack(const std::vector<std::string>& entries) {
  OlderPack older{entries, {}};
  XmlElement root;
  if (entries.empty() || !ParseXmlDocument(entries.back(), u"skin", root)) return older;
  for (const XmlElement& component : root.children) {
    if (!component.NameIs(u"component")) continue;
    for (const XmlElement& state : component.children) {
      for (const XmlElement& property : state.children) {
        const Text name = SkinFileName(PropertyValue(property.text));
        if (name.empty()) continue;
        older.SavedNames[PropertyKey(NormaliseSkinComponent(component.AttributeOr(u"id")),
                                     LowerText(state.AttributeOr(u"id")), LowerText(property.AttributeOr(u"id")))] = name;
      }
    }
  }
  return older;
}

// The older pack's data of a file that is no longer at hand: what this property's file was saved
// as; a property the older document does not know takes the file of the same bare name.
const std::string* OlderPackData(const OlderPack& older, const Text& key, const Text& bare) {
  const auto saved = older.SavedNames.find(key);
  if (saved != older.SavedNames.end() && IsNumberedFormOf(saved->second, bare))
    return FindPackData(older.Entries, saved->second);
  return FindPackData(older.Entries, bare);
}

// The files a save takes along, each under a name of its own in the pack or folder.
struct SavedFiles {
  std::vector<PackedFile> Files;
  std::map<Text, Text> Taken;  // name in the pack -> the file as the skin names it
};

// Where a property names a file that is at hand (or in the older pack), the file is taken
// along and the property's text names it bare. Two files with the same bare name ("normal/
// arrow.png", "hot/arrow.png") must not become one: the later one gets a numbered name.
Text TakeFileAlong(const Text& value, const OlderPack& olderPack, const Text& key, SavedFiles& saved) {
  const Text fileName = SkinFileName(value);
  if (fileName.empty()) return value;
  const Text bare = BareFileName(fileName);
  Text name = bare;
  for (int number = 2; saved.Taken.count(name) != 0 && saved.Taken[name] != fileName; ++number)
    name = NumberedName(bare, number);
  if (saved.Taken.count(name) == 0) {
    std::string bytes;
    if (!ReadSkinFileBytes(fileName, bytes)) {
      const std::string* older = OlderPackData(olderPack, key, bare);
      if (older == nullptr || older->empty()) return value;
      bytes = *older;
    }
    saved.Taken.emplace(name, fileName);
    saved.Files.push_back({name, std::move(bytes)});
  }
  Text renamed = value;
  renamed.replace(renamed.find(fileName), fileName.size(), name);
  return renamed;
}

XmlElement BuildDocument(const SkinRecord& skin, const Text& path, const OlderPack& olderPack, SavedFiles& saved) {
  XmlElement root;
  root.name = u"Skin";
  root.AddChild(u"Name").SetAttribute(u"id", skin.Name.empty() ? BaseName(path) : skin.Name);
  const std::pair<const char16_t*, const Text*> header[] = {
      {u"Author", &skin.Author}, {u"Date", &skin.Date}, {u"Version", &skin.Version}, {u"URL", &skin.Url}};
  for (const auto& [name, value] : header) {
    if (!value->empty()) root.AddChild(name).SetAttribute(u"id", *value);
  }
  for (const auto& component : skin.Components) {
    XmlElement& componentElement = root.AddChild(u"Component");
    componentElement.SetAttribute(u"id", component.Name);
    for (const auto& state : component.States) {
      XmlElement& stateElement = componentElement.AddChild(u"State");
      stateElement.SetAttribute(u"id", state.Name);
      for (const auto& property : state.Properties) {
        XmlElement& propertyElement = stateElement.AddChild(u"Property");
        propertyElement.SetAttribute(u"id", property.Name);
        propertyElement.text =
            TakeFileAlong(property.ValueText, olderPack, PropertyKey(component.Name, state.Name, property.Name), saved);
      }
    }
  }
  return root;
}

// A pack the reader would refuse (past its total cap) is not written.
bool WritePack(const Text& packPath, const std::vector<PackedFile>& files, const std::string& document) {
  std::uint64_t total = document.size();
  for (const PackedFile& file : files) total += PackNameEntry(file.Name).size() + file.Bytes.size();
  if (total > kPackMaxTotalSize) return false;
  std::string pack;
  for (const PackedFile& file : files) {
    if (!AppendPackEntry(pack, PackNameEntry(file.Name)) || !AppendPackEntry(pack, file.Bytes)) return false;
  }
  return AppendPackEntry(pack, document) && ReplaceFileContents(packPath, pack);
}

// A file the save wrote, with what stood there before (nothing: the save made it).
struct WrittenFile {
  Text Path;
  std::optional<std::string> Before;
};

// The files beside the document, then the document. When any write fails, every file written
// is put back as it was: made ones removed, overwritten ones given their old bytes again. A
// file that stands there but cannot be read first is not overwritten at all.
bool WritePlain(const Text& folder, const Text& documentPath, const std::vector<PackedFile>& files,
                const std::string& document) {
  std::vector<WrittenFile> written;
  bool whole = true;
  for (const PackedFile& file : files) {
    WrittenFile target{folder + file.Name, std::nullopt};
    if (IsExistingFile(target.Path) && !ReadWholeFile(target.Path, target.Before.emplace())) whole = false;
    whole = whole && ReplaceFileContents(target.Path, file.Bytes);
    if (!whole) break;
    written.push_back(std::move(target));
  }
  if (whole && ReplaceFileContents(documentPath, document)) return true;
  for (const WrittenFile& file : written) {
    std::error_code ignored;
    if (file.Before) {
      ReplaceFileContents(file.Path, *file.Before);
    } else {
      std::filesystem::remove(std::filesystem::path(file.Path), ignored);
    }
  }
  return false;
}

}  // namespace

std::int32_t SaveSkinFile(SkinHandle skin, TextView file, bool asPack) {
  const SkinRecord* record = FindSkinRecord(skin);
  const Text bare = BareFileName(file);
  if (record == nullptr || bare.empty() || bare.find_first_of(u"<>:\"|?*") != Text::npos) return 0;
  CurrentSkinScope scope(skin);  // the files the skin names are looked up for it
  const Text path = InSkinDirectory(file);
  const Text folder = FolderOf(path);
  if (!folder.empty() && !IsExistingFolder(folder) && !CreateFolder(folder)) return 0;

  // The pack the skin's files travel in is read once for all of them, and so is the older pack
  // that the new one replaces.
  OpenSkinPack ownPack;
  ReadSkinPack(CurrentSkinPackPath(), ownPack);
  OpenSkinPackScope open(ownPack);
  const Text packPath = WithExtension(path, u".sknz");
  OpenSkinPack olderPack;
  if (asPack && packPath != ownPack.Path) ReadSkinPack(packPath, olderPack);
  const std::vector<std::string>& older = asPack && packPath == ownPack.Path ? ownPack.Entries : olderPack.Entries;
  SavedFiles saved;
  const std::string document = WriteXml(BuildDocument(*record, path, ReadOlderPack(older), saved));
  const bool written = asPack ? WritePack(packPath, saved.Files, document)
                              : WritePlain(folder, WithExtension(path, u".skn"), saved.Files, document);
  return written ? 1 : 0;
}
