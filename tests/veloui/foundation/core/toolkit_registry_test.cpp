#include "veloui/foundation/core/toolkit_registry.h"

#include <gtest/gtest.h>

#include <set>

namespace {
struct SampleRecord {
  int Value = 0;
};

TEST(ToolkitRegistry, ListsKeepRecordAddressesUntilReset) {
  ResetToolkitGlobalLists();
  auto& list = ToolkitList<SampleRecord>(ToolkitListId::Menus);
  list.push_back({1});
  SampleRecord* first = &list.back();
  for (int i = 2; i < 50; ++i) list.push_back({i});
  EXPECT_EQ(first->Value, 1);
  EXPECT_EQ(&ToolkitList<SampleRecord>(ToolkitListId::Menus), &list);
  EXPECT_TRUE(ToolkitList<SampleRecord>(ToolkitListId::Rebars).empty());
  ToolkitMap<int>(ToolkitMapId::ChildSubclass)[u"1234"] = 7;
  ResetToolkitGlobalLists();
  EXPECT_TRUE(ToolkitList<SampleRecord>(ToolkitListId::Menus).empty());
  EXPECT_TRUE(ToolkitMap<int>(ToolkitMapId::ChildSubclass).empty());
}

TEST(ToolkitRegistry, AutoCommandIdsCountDownAndWrap) {
  ResetAutoCommandID();
  EXPECT_EQ(NextAutoCommandID(), 65534);
  EXPECT_EQ(NextAutoCommandID(), 65533);
  ResetAutoCommandID();
  std::uint16_t id = 1;
  for (int call = 1; call <= 65535; ++call) id = NextAutoCommandID();
  EXPECT_EQ(id, 0);
  EXPECT_EQ(NextAutoCommandID(), 65535);
  ResetAutoCommandID();
}

TEST(ToolkitRegistry, ObjectNumbersAreDistinctAndNeverSmall) {
  std::set<std::intptr_t> seen;
  for (int i = 0; i < 100; ++i) {
    const auto number = AllocateObjectNumber();
    EXPECT_GT(number, 0xFFFF);
    EXPECT_TRUE(seen.insert(number).second);
    EXPECT_EQ(*reinterpret_cast<const std::uint8_t*>(number), 0);
  }
}
}  // namespace
