#include "runtime/portable/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

TEST(Files, ReplacingReadingCopyingAndFolders) {
  TempFolder folder;
  // A replaced file leaves no temporary behind; a missing folder is a failure.
  const Text path = folder.File("\xC3\xBC" "ber.dat");
  PutFileBytes(path, "old contents that are longer");
  ASSERT_TRUE(ReplaceFileContents(path, "new"));
  EXPECT_EQ(FileBytes(path), "new");
  const auto entries = std::distance(std::filesystem::directory_iterator(folder.Path()), {});
  EXPECT_EQ(entries, 1);
  EXPECT_FALSE(ReplaceFileContents(folder.File("missing/favs.dat"), "x"));

  const std::string bytes("a\0b\r\n\xFF", 6);
  PutFileBytes(path, bytes);
  std::string read;
  ASSERT_TRUE(ReadWholeFile(path, read));
  EXPECT_EQ(read, bytes);
  EXPECT_FALSE(ReadWholeFile(folder.File("none"), read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(ReadWholeFile(folder.Path().u16string(), read)) << "a folder is not a file";

  const Text sub = folder.File("Velo 2 DUro");
  EXPECT_FALSE(IsExistingFolder(sub));
  EXPECT_TRUE(CreateFolder(sub));
  EXPECT_TRUE(IsExistingFolder(sub));
  EXPECT_FALSE(IsExistingFile(sub));
  const Text db = folder.File("db.db");
  EXPECT_TRUE(CreateEmptyFile(db));
  EXPECT_TRUE(IsExistingFile(db));
  EXPECT_EQ(FileBytes(db), "");
  PutFileBytes(db, "data");
  const Text copy = folder.File("backup.db");
  PutFileBytes(copy, "older and longer");
  EXPECT_TRUE(CopyFileReplacing(db, copy));
  EXPECT_EQ(FileBytes(copy), "data");
  EXPECT_FALSE(CopyFileReplacing(folder.File("none.db"), copy));
  // A folder named with a trailing separator is found and made.
  const Text named = folder.File("Saves") + kPathSeparator;
  EXPECT_FALSE(IsExistingFolder(named));
  EXPECT_TRUE(CreateFolder(named));
  EXPECT_TRUE(IsExistingFolder(named));
  EXPECT_TRUE(ReplaceFileContents(named + u"favs.dat", "x"));
  EXPECT_EQ(FileBytes(named + u"favs.dat"), "x");
}

TEST(Files, ProgramFolderAndEnvironment) {
  const Text folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == u'/' || folder.back() == u'\\');
  EXPECT_TRUE(IsExistingFolder(folder));
  EXPECT_EQ(EnvironmentValue(u"VELO_SURELY_NOT_SET_ANYWHERE"), u"");
  EXPECT_FALSE(EnvironmentValue(u"PATH").empty());
}

TEST(Files, TheCurrentFolderReadsBackAsSet) {
  const Text before = CurrentFolder();
  ASSERT_FALSE(before.empty());
  TempFolder folder;
  const Text inside = folder.File("inside");
  ASSERT_TRUE(CreateFolder(inside));
  ASSERT_TRUE(SetCurrentFolder(inside));
  EXPECT_TRUE(IsSameFile(CurrentFolder(), inside));
  EXPECT_FALSE(SetCurrentFolder(folder.File("missing")));
  EXPECT_TRUE(IsSameFile(CurrentFolder(), inside));
  ASSERT_TRUE(SetCurrentFolder(before));
  EXPECT_EQ(CurrentFolder(), before);
}
