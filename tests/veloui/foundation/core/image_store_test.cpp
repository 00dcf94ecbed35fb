#include "veloui/foundation/core/image_store.h"

#include <gtest/gtest.h>

namespace {

class ImageStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetToolkitGlobalLists(); }
  void TearDown() override { ResetToolkitGlobalLists(); }

  static ImageStoreEntry WithImages(std::uintptr_t first) {
    ImageStoreEntry entry;
    entry.Name = u"buttonex";
    entry.StateImageLists[u"normal"].ImageLists[0] = first;
    entry.StateBitmaps[u"hot"].Bitmaps[8] = first + 1;
    return entry;
  }
};

TEST_F(ImageStoreTest, SharedImagesGoWithTheLastUser) {
  const ImageStoreHandle alone = AddImageStoreEntry(WithImages(300));
  ASSERT_TRUE(DropImageStoreEntry(alone).has_value());  // an owner alone goes at once
  const ImageStoreHandle owner = AddImageStoreEntry(WithImages(100));
  const ImageStoreHandle sharer = AddSharedImageStoreEntry(owner);
  const ImageStoreHandle third = AddSharedImageStoreEntry(sharer);
  EXPECT_EQ(FindImageStoreEntry(third)->Key, owner);  // sharing a sharer counts on the owner
  EXPECT_EQ(ImageStoreUserCount(owner), 3);
  EXPECT_FALSE(DropImageStoreEntry(owner).has_value());  // the first keeps the images
  EXPECT_FALSE(DropImageStoreEntry(third).has_value());
  EXPECT_EQ(ImageStoreUserCount(sharer), 1);
  const auto dropped = DropImageStoreEntry(sharer);
  ASSERT_TRUE(dropped.has_value());
  EXPECT_EQ(dropped->StateImageLists.at(u"normal").ImageLists[0], 100u);
  EXPECT_EQ(dropped->StateBitmaps.at(u"hot").Bitmaps[8], 101u);
  EXPECT_TRUE(ImageStoreList().empty());
  EXPECT_TRUE(ImageStoreKeys().empty());
}

TEST_F(ImageStoreTest, NewOwnerNeverTakesOverALiveCount) {
  const ImageStoreHandle owner = AddImageStoreEntry(WithImages(100));
  const ImageStoreHandle sharer = AddSharedImageStoreEntry(owner);
  EXPECT_FALSE(DropImageStoreEntry(owner).has_value());
  // New owners may come back at the freed address; none may disturb the sharer's count.
  std::vector<ImageStoreHandle> fresh;
  for (int i = 0; i < 8; ++i) fresh.push_back(AddImageStoreEntry(WithImages(200 + 2 * i)));
  EXPECT_EQ(ImageStoreUserCount(sharer), 1);
  for (ImageStoreHandle handle : fresh) {
    const auto dropped = DropImageStoreEntry(handle);
    ASSERT_TRUE(dropped.has_value());
    EXPECT_NE(dropped->StateImageLists.at(u"normal").ImageLists[0], 100u);
  }
  const auto last = DropImageStoreEntry(sharer);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->StateImageLists.at(u"normal").ImageLists[0], 100u);
}

}  // namespace
