// Any bytes as a skin file: the first byte picks ".skn" or ".sknz", the rest is the file. A
// load gives a whole skin or none, and never reads past what the file holds.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "veloui/foundation/core/gradient_records.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/skins/core/skin_files.h"
#include "veloui/skins/core/skin_records.h"

namespace {

std::string Folder() {
  static const std::string folder = [] {
    char name[] = "/tmp/velo-skin-fuzz-XXXXXX";
    if (mkdtemp(name) == nullptr) std::abort();
    return std::string(name) + "/";
  }();
  return folder;
}

void BindFakes() {
  SkinServices& services = Skins().Services;
  services.MakeImage = [](std::string_view bytes, int, int) -> std::uintptr_t { return bytes.size() + 1; };
  services.CreateGradient = AddGradientRecord;
  services.LoadFont = [](const Text&, int, std::uint32_t) -> std::uintptr_t { return 1; };
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    InitColourTables();
    return true;
  }();
  (void)ready;
  if (size == 0) return 0;
  ResetToolkitGlobalLists();
  ResetSkinGlobals();
  BindFakes();
  SetSkinDirectory(Utf8ToText(Folder()));
  const bool pack = (data[0] & 1) != 0;
  {
    std::ofstream out(Folder() + (pack ? "f.sknz" : "f.skn"), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  const std::intptr_t skin = LoadSkinFile(pack ? u"f.sknz" : u"f.skn");
  const bool loaded = skin != 0 && skin != -1 && skin != -2;
  if (SkinList().size() != (loaded ? 1u : 0u)) std::abort();
  if (loaded && FreeSkin(static_cast<SkinHandle>(skin)) != 1) std::abort();
  std::remove((Folder() + (pack ? "f.sknz" : "f.skn")).c_str());
  return 0;
}
