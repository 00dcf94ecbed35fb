#include "app/files/favorites.h"

#include <gtest/gtest.h>

#include "runtime/portable/files.h"
#include "temp_folder.h"

namespace {

FavoriteRecord Favorite(const Text& description, const Text& host, int port, const Text& password) {
  return FavoriteRecord{description, host, port, password};
}

class FavoritesFile : public ::testing::Test {
 protected:
  void SetUp() override { ResetFavorites(); }
  TempFolder folder;
  Text path = folder.File("favs.dat");
};

}  // namespace

TEST_F(FavoritesFile, TwoFavouritesAreEightLinesOfUtf8) {
  ASSERT_TRUE(AppendFavorite(path, Favorite(u"M\u00fcnchen \u20ac", u"10.0.0.1", 2302, u"geheim")));
  ASSERT_TRUE(AppendFavorite(path, Favorite(u"Home", u"example.org", -7, u"p w")));
  EXPECT_EQ(FileBytes(path),
            "M\xC3\xBCnchen \xE2\x82\xAC\r\n10.0.0.1\r\n2302\r\ngeheim\r\n"
            "Home\r\nexample.org\r\n-7\r\np w\r\n");
  ASSERT_EQ(Favorites.FavoriteList.size(), 2u);
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_EQ(Favorites.FavoriteList.size(), 2u);
  EXPECT_EQ(Favorites.FavoriteList[0].Description, u"M\u00fcnchen \u20ac");
  EXPECT_EQ(Favorites.FavoriteList[0].Port, 2302);
  EXPECT_EQ(Favorites.FavoriteList[1].Port, -7);
  EXPECT_EQ(Favorites.FavoriteList[1].Password, u"p w");
}

TEST_F(FavoritesFile, TrailingBlankLineGivesOneMoreEmptyFavourite) {
  PutFileBytes(path, "Home\r\nhost\r\n2302\r\npw\r\n\r\n");
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_EQ(Favorites.FavoriteList.size(), 2u);
  const FavoriteRecord& extra = Favorites.FavoriteList[1];
  EXPECT_EQ(extra.Description, u"");
  EXPECT_EQ(extra.Host, u"");
  EXPECT_EQ(extra.Port, 0);
  EXPECT_EQ(extra.Password, u"");
}

TEST_F(FavoritesFile, AnyLineEndAndAnIncompleteLastRecord) {
  const char bytes[] = "A\nh1\r$10\rp1\r\nB\0h2\n%11";
  const auto records = ParseFavorites(std::string(bytes, sizeof bytes - 1));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Port, 16);
  EXPECT_EQ(records[0].Password, u"p1");
  EXPECT_EQ(records[1].Host, u"h2");
  EXPECT_EQ(records[1].Port, 3);
  EXPECT_EQ(records[1].Password, u"");
  EXPECT_EQ(ParseFavorites("A\r\nh\r\nnone\r\n")[0].Port, 0);
  // 2^32 + 2302 stays out of range instead of wrapping to 2302, so the connect refuses it.
  EXPECT_EQ(ParseFavorites("A\r\nh\r\n4294969598\r\n")[0].Port, 2147483647);
  EXPECT_TRUE(ParseFavorites("").empty());
}

TEST_F(FavoritesFile, MissingFileGivesNoFavourites) {
  Favorites.FavoriteList.push_back(Favorite(u"old", u"h", 1, u"p"));
  EXPECT_FALSE(LoadFavoritesFile(path));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
}

TEST_F(FavoritesFile, AppendingEndsAnOpenLastLineFirst) {
  PutFileBytes(path, "A\r\nh\r\n1\r\npass");
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_TRUE(AppendFavorite(path, Favorite(u"B", u"h2", 2, u"q")));
  EXPECT_EQ(FileBytes(path), "A\r\nh\r\n1\r\npass\r\nB\r\nh2\r\n2\r\nq\r\n");
  ASSERT_TRUE(LoadFavoritesFile(path));
  ASSERT_EQ(Favorites.FavoriteList.size(), 2u);
  EXPECT_EQ(Favorites.FavoriteList[0].Password, u"pass");
  EXPECT_EQ(Favorites.FavoriteList[1].Description, u"B");
}

TEST_F(FavoritesFile, AnAddThatCannotBeWrittenChangesNothing) {
  const Text unreachable = folder.File("no such folder/favs.dat");
  EXPECT_FALSE(AppendFavorite(unreachable, Favorite(u"A", u"h", 1, u"p")));
  EXPECT_TRUE(Favorites.FavoriteList.empty());
}

TEST_F(FavoritesFile, UpdateChangesEveryMatchAndRemoveOnlyTheFirst) {
  Favorites.FavoriteList = {Favorite(u"A", u"a", 1, u"x"), Favorite(u"B", u"b", 2, u"y"),
                            Favorite(u"A", u"c", 3, u"z")};
  UpdateFavorites(u"A", u"new", 9, u"pw");
  EXPECT_EQ(Favorites.FavoriteList[0].Host, u"new");
  EXPECT_EQ(Favorites.FavoriteList[2].Port, 9);
  EXPECT_EQ(Favorites.FavoriteList[1].Host, u"b");
  UpdateFavorites(u"a", u"lower", 1, u"");
  EXPECT_EQ(Favorites.FavoriteList[0].Host, u"new") << "descriptions compare with letter case";
  EXPECT_TRUE(RemoveFavorite(u"A"));
  ASSERT_EQ(Favorites.FavoriteList.size(), 2u);
  EXPECT_EQ(Favorites.FavoriteList[0].Description, u"B");
  EXPECT_EQ(Favorites.FavoriteList[1].Description, u"A");
  EXPECT_FALSE(RemoveFavorite(u"C"));
  EXPECT_EQ(FindFavorite(u"A"), &Favorites.FavoriteList[1]);
  EXPECT_EQ(FindFavorite(u"Z"), nullptr);
}

TEST_F(FavoritesFile, WholeRewriteMatchesTheList) {
  PutFileBytes(path, "stale contents");
  Favorites.FavoriteList = {Favorite(u"A", u"a", 1, u"x"), Favorite(u"", u"", 0, u"")};
  ASSERT_TRUE(WriteFavoritesFile(path));
  EXPECT_EQ(FileBytes(path), "A\r\na\r\n1\r\nx\r\n\r\n\r\n0\r\n\r\n");
  Favorites.FavoriteList.clear();
  ASSERT_TRUE(WriteFavoritesFile(path));
  EXPECT_EQ(FileBytes(path), "");
}
