// Names with either separator, masks and case-insensitive lookup.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/files/path_names.h"
#include "platform/files/wildcard.h"

namespace orvella::files {
namespace {

void touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write("x");
}

TEST(NameParts, FilePartAndExtensionTakeEverySeparator) {
  EXPECT_EQ(filePart("c:\\temp\\holidays.ini"), "holidays.ini");
  EXPECT_EQ(filePart("/home/u/pictures/flower.wmf"), "flower.wmf");
  EXPECT_EQ(filePart("c:flower.wmf"), "flower.wmf");
  EXPECT_EQ(filePart("FILE:LIST"), "LIST");
  EXPECT_EQ(filePart("/tmp/dir/"), "");
  EXPECT_EQ(changeExtension("/x/theme.hol", ".002"), "/x/theme.002");
  EXPECT_EQ(changeExtension("/x.d/theme", ".003"), "/x.d/theme.003");
  EXPECT_EQ(changeExtension("c:\\x.d\\theme", ".003"), "c:\\x.d\\theme.003");
  EXPECT_EQ(changeExtension("a.tar.gz", ".002"), "a.tar.002");
}

TEST(Masks, WildcardsMatchLikeTheWindowsSearch) {
  EXPECT_TRUE(matchesMask("Flower.WMF", "*.wmf"));
  EXPECT_TRUE(matchesMask("flower.wmf", "FL?WER.*"));
  EXPECT_TRUE(matchesMask("readme", "*.*"));
  EXPECT_TRUE(matchesMask("readme", "readme.*"));
  EXPECT_TRUE(matchesMask("a.b.c", "*.c"));
  EXPECT_TRUE(matchesMask("abcbcd", "a*bcd"));
  EXPECT_FALSE(matchesMask("flower.wmf", "*.jpg"));
  EXPECT_FALSE(matchesMask("flower.wm", "flower.wm?"));
  EXPECT_FALSE(matchesMask("xflower.wmf", "flower*"));
  EXPECT_TRUE(hasWildcards("a*"));
  EXPECT_FALSE(hasWildcards("plain.txt"));
}

class FolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path();
    QDir(root_).mkpath("Images/Sub");
    touch(root_ + "/Images/Flower.WMF");
    touch(root_ + "/Images/band_music.wmf");
    touch(root_ + "/Images/.hidden.wmf");
    touch(root_ + "/Images/notes");
    QDir(root_).mkpath("Images/folder.wmf");
  }
  QTemporaryDir dir_;
  QString root_;
};

TEST_F(FolderTest, CaseInsensitiveLookupFindsTheFileOnDisk) {
  EXPECT_EQ(resolveCaseInsensitive(root_ + "/images/flower.wmf"), root_ + "/Images/Flower.WMF");
  EXPECT_EQ(resolveCaseInsensitive(root_ + "\\IMAGES\\FLOWER.wmf"), root_ + "/Images/Flower.WMF");
  EXPECT_EQ(resolveCaseInsensitive(root_ + "/Images/band_music.wmf"), root_ + "/Images/band_music.wmf");
  EXPECT_EQ(resolveCaseInsensitive(root_ + "/images/tulip.wmf"), "");
  EXPECT_TRUE(fileExists(root_ + "/images/flower.wmf"));
  EXPECT_FALSE(fileExists(root_ + "/images/sub"));
  EXPECT_TRUE(folderExists(root_ + "/images/sub"));
  EXPECT_FALSE(fileExists(""));
}

TEST_F(FolderTest, NewNamesLandInTheFolderThatIsThere) {
  EXPECT_EQ(resolveExistingPart(root_ + "/images/sub/new/x.txt"), root_ + "/Images/Sub/new/x.txt");
  EXPECT_EQ(resolveExistingPart(root_ + "/images/flower.wmf"), root_ + "/Images/Flower.WMF");
  EXPECT_EQ(resolveExistingPart("/no-such-root-folder/x"), "/no-such-root-folder/x");
}

TEST_F(FolderTest, ExactNameWinsOverAnotherCase) {
  touch(root_ + "/Images/flower.wmf");
  EXPECT_EQ(resolveCaseInsensitive(root_ + "/Images/flower.wmf"), root_ + "/Images/flower.wmf");
}

TEST_F(FolderTest, FindFilesListsFilesOnlyHiddenIncluded) {
  QStringList found = findFiles(root_ + "/images/*.wmf");
  found.sort();
  EXPECT_EQ(found, QStringList({".hidden.wmf", "Flower.WMF", "band_music.wmf"}));
  EXPECT_EQ(findFiles(root_ + "\\images\\flower.wmf"), QStringList({"Flower.WMF"}));
  EXPECT_EQ(findFiles(root_ + "/images/*.*").size(), 4);
  EXPECT_TRUE(findFiles(root_ + "/nothere/*.*").isEmpty());
}

TEST_F(FolderTest, SubfolderListLeavesOutLinks) {
  QFile::link(root_ + "/Images", root_ + "/Images/Sub/loop");
  QStringList subs = findSubfolders(root_ + "/images/sub");
  EXPECT_TRUE(subs.isEmpty());
  subs = findSubfolders(root_ + "/images");
  subs.sort();
  EXPECT_EQ(subs, QStringList({"Sub", "folder.wmf"}));
}

}  // namespace
}  // namespace orvella::files
