#pragma once
// Skins with fake services: an image is the count of its bytes' loads, fonts and broadcasts are
// counted, gradients are plain records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../../runtime/portable/temp_folder.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/skins/core/skin_records.h"

struct FakeSkinServices {
  std::vector<std::string> imageBytes;  // index + 1 is the handle
  std::vector<std::uintptr_t> freedImages;
  std::vector<std::uint32_t> fontStyles;
  int broadcasts = 0;
};
FakeSkinServices& Fakes();

class SkinsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  TempFolder folder;
};
