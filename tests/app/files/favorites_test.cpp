#include "app/files/favorites.h"

#include <gtest/gtest.h>

#include "runtime/portable/files.h"
#include "temp_folder.h"

using namespace std::string_literals;

namespace {

class FavoritesFile : public ::testing::Test {
 protected:
  void SetUp() override { ResetFavorites(); }
  TempFolder folder;
  Text path = folder.File("favs.dat");
};

}  // namespace

// Each file as read, written back in the program's own form.
TEST_F(FavoritesFile, AnyLineEndAndAnIncompleteLastRecord) {
  const struct {
    std::string file;
    std::string read;
  } kFiles[] = {
      {"A\nh1\r$10\rp1\r\nB\0h2\n%11"s, "A\r\nh1\r\n16\r\np1\r\nB\r\nh2\r\n3\r\n\r\n"},
      {"Home\r\nhost\r\n2302\r\npw\r\n\r\n", "Home\r\nhost\r\n2302\r\npw\r\n\r\n\r\n0\r\n\r\n"},  // one more, empty
      {"A\r\nh\r\nnone\r\n", "A\r\nh\r\n0\r\n\r\n"},
      // 2^32 + 2302 stays out of range instead of wrapping to 2302, so the connect refuses it.
      {"A\r\nh\r\n4294969598\r\n", "A\r\nh\r\n2147483647\r\n\r\n"},
      {"", ""},
  };
  for (const auto& f : kFiles) EXPECT_EQ(FavoritesFileBytes(ParseFavorites(f.file)), f.read) << f.file;
}

TEST_F(FavoritesFile, AppendingEndsAnOpenLastLineFirst) {
  PutFileBytes(path, "A\r\nh\r\n1\r\npass");
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_TRUE(AppendFavorite(path, FavoriteRecord{u"M\u00fcnchen \u20ac", u"10.0.0.1", 2302, u"geheim"}));
  ASSERT_TRUE(AppendFavorite(path, FavoriteRecord{u"Home", u"example.org", -7, u"p w"}));
  EXPECT_EQ(FileBytes(path),
            "A\r\nh\r\n1\r\npass\r\nM\xC3\xBCnchen \xE2\x82\xAC\r\n10.0.0.1\r\n2302\r\ngeheim\r\n"
            "Home\r\nexample.org\r\n-7\r\np w\r\n");
  ASSERT_EQ(Favorites.FavoriteList.size(), 3u);
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_EQ(Favorites.FavoriteList.size(), 3u);
  EXPECT_EQ(Favorites.FavoriteList[0].Password, u"pass");
  EXPECT_EQ(Favorites.FavoriteList[1].Description, u"M\u00fcnchen \u20ac");
  EXPECT_EQ(Favorites.FavoriteList[2].Port, -7);
}

TEST_F(FavoritesFile, AFileThatCannotBeReadOrWrittenLeavesNoFavourites) {
  Favorites.FavoriteList.push_back(FavoriteRecord{u"old", u"h", 1, u"p"});
  EXPECT_FALSE(LoadFavoritesFile(path));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
  EXPECT_FALSE(AppendFavorite(folder.File("no such folder/favs.dat"), FavoriteRecord{u"A", u"h", 1, u"p"}));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
}

TEST_F(FavoritesFile, UpdateChangesEveryMatchRemoveOnlyTheFirstAndARewriteMatchesTheList) {
  Favorites.FavoriteList = {{u"A", u"a", 1, u"x"}, {u"B", u"b", 2, u"y"}, {u"A", u"c", 3, u"z"}};
  UpdateFavorites(u"A", u"new", 9, u"pw");
  UpdateFavorites(u"a", u"lower", 1, u"");  // descriptions compare with letter case
  EXPECT_EQ(Favorites.FavoriteList[0].Host, u"new");
  EXPECT_TRUE(RemoveFavorite(u"A"));
  EXPECT_FALSE(RemoveFavorite(u"C"));
  EXPECT_EQ(FindFavorite(u"A"), &Favorites.FavoriteList[1]);
  EXPECT_EQ(FindFavorite(u"Z"), nullptr);
  PutFileBytes(path, "stale contents");
  ASSERT_TRUE(WriteFavoritesFile(path));
  EXPECT_EQ(FileBytes(path), "B\r\nb\r\n2\r\ny\r\nA\r\nnew\r\n9\r\npw\r\n");
  Favorites.FavoriteList.clear();
  ASSERT_TRUE(WriteFavoritesFile(path));
  EXPECT_EQ(FileBytes(path), "");
}
