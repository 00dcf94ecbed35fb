#include "skins_fixture.h"

#include "veloui/foundation/core/gradient_records.h"
#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/ui_colour.h"

FakeSkinServices& Fakes() {
  static FakeSkinServices fakes;
  return fakes;
}

void SkinsTest::SetUp() {
  ResetToolkitGlobalLists();
  FillNamedColourMap();
  ResetSkinGlobals();
  StoreColourModeName(u"");
  Fakes() = FakeSkinServices();
  SkinServices& services = Skins().Services;
  services.MakeImage = [](std::string_view bytes, int, int) -> std::uintptr_t {
    Fakes().imageBytes.emplace_back(bytes);
    return Fakes().imageBytes.size();
  };
  services.FreeImage = [](std::uintptr_t image) { Fakes().freedImages.push_back(image); };
  services.CreateGradient = AddGradientRecord;
  services.LoadFont = [](const Text&, int, std::uint32_t style) -> std::uintptr_t {
    Fakes().fontStyles.push_back(style);
    return 0x1000 + Fakes().fontStyles.size();
  };
  services.FreeFont = [](std::uintptr_t) {};
  services.Broadcast = [](SkinHandle) -> std::int32_t { return ++Fakes().broadcasts; };
}

void SkinsTest::TearDown() {
  ResetSkinGlobals();
  ResetToolkitGlobalLists();
}
