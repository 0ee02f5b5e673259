// Which names Backup collects: masks, subfolders, duplicates, the archive itself, incremental mode.
#include <sys/xattr.h>

#include "archive_test_support.h"
#include "platform/files/archive_attribute.h"

namespace orvella::testing {
namespace {

class CollectTest : public ArchiveTest {
 protected:
  std::vector<QByteArray> storedNames(const QString& archive = "a.hol") {
    std::vector<QByteArray> names;
    for (const Entry& e : IndependentReader(read(archive)).read().entries) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(CollectTest, SameFileTwiceInAnyCaseIsStoredOnce) {
  write("Flower.WMF", "petals");
  ASSERT_TRUE(bf_.Backup({path("Flower.WMF"), path("flower.wmf"), path("FLOWER.wmf")}, path("a.hol")));
  const Archive a = IndependentReader(read("a.hol")).read();
  EXPECT_EQ(a.fileCount, 1);
  ASSERT_EQ(a.entries.size(), 1u);
  EXPECT_EQ(a.entries[0].name, storedName("flower.wmf"));
  EXPECT_EQ(a.entries[0].data(), "petals");
}

TEST_F(CollectTest, RelativeMaskWithSlashStoresNothingButCounts) {
  write("images/flower.wmf", "petals");
  write("holidays.ini", "[1]");
  const QString old = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(root_));
  const bool ok = bf_.Backup({path("holidays.ini"), "images/flower.wmf"}, path("a.hol"));
  QDir::setCurrent(old);
  ASSERT_TRUE(ok);
  const Archive a = IndependentReader(read("a.hol")).read();
  EXPECT_EQ(a.fileCount, 2);
  EXPECT_EQ(a.totalSize, 3);
  ASSERT_EQ(a.entries.size(), 1u);
  EXPECT_EQ(a.entries[0].name, storedName("holidays.ini"));
  EXPECT_EQ(bf_.FilesCount(), 1);
}

TEST_F(CollectTest, MasksAndSubfoldersWithTheArchiveLeftOut) {
  write("a.txt", "a");
  write("b.TXT", "b");
  write("c.ini", "c");
  write("sub/d.txt", "d");
  write("sub/deeper/e.txt", "e");
  write("sub/deeper/f.ini", "f");
  write("Arch.txt", "the archive from before");
  ASSERT_TRUE(bf_.Backup({path("*.txt")}, path("Arch.txt")));
  EXPECT_EQ(storedNames("Arch.txt"), (std::vector<QByteArray>{storedName("a.txt"), storedName("b.txt")}));

  ASSERT_TRUE(bf_.Backup({path("*.txt /s"), path("sub/deeper/*.ini")}, path("a.hol")));
  EXPECT_EQ(storedNames(),
            (std::vector<QByteArray>{storedName("a.txt"), storedName("arch.txt"), storedName("b.txt"),
                                     storedName("sub/d.txt"), storedName("sub/deeper/e.txt"),
                                     storedName("sub/deeper/f.ini")}));
  // Deeper folders come first, the mask's own folder last.
  const Archive a = IndependentReader(read("a.hol")).read();
  const auto at = [&](const QString& name) {
    return std::find_if(a.entries.begin(), a.entries.end(),
                        [&](const Entry& e) { return e.name == storedName(name); }) -
           a.entries.begin();
  };
  EXPECT_LT(at("sub/deeper/e.txt"), at("sub/d.txt"));
  EXPECT_LT(at("sub/d.txt"), at("a.txt"));
  // A "/s" inside a path is a folder, not the switch.
  write("s/x.txt", "x");
  ASSERT_TRUE(bf_.Backup({path("s/x.txt")}, path("b.hol")));
  EXPECT_EQ(storedNames("b.hol"), std::vector<QByteArray>{storedName("s/x.txt")});
}

TEST_F(CollectTest, IncrementalStoresMarkedFilesAndClearsTheMark) {
  write("new.txt", "new");
  write("old.txt", "old");
  if (::setxattr(QFile::encodeName(path("old.txt")).constData(), "user.probe", "1", 1, 0) != 0)
    GTEST_SKIP() << "no user extended attributes here";
  ASSERT_TRUE(files::setArchiveAttribute(path("old.txt"), false));
  bf_.setBackupMode(bmIncremental);
  ASSERT_TRUE(bf_.Backup({path("*.txt")}, path("a.hol")));
  EXPECT_EQ(storedNames(), std::vector<QByteArray>{storedName("new.txt")});
  EXPECT_FALSE(files::archiveAttribute(path("new.txt")));
  // Nothing changed: the next incremental archive is empty; a write marks the file again.
  ASSERT_TRUE(bf_.Backup({path("*.txt")}, path("a.hol")));
  EXPECT_TRUE(storedNames().empty());
  write("old.txt", "changed", dosStamp(2020, 1, 1, 0, 0, 0));
  ASSERT_TRUE(bf_.Backup({path("*.txt")}, path("a.hol")));
  EXPECT_EQ(storedNames(), std::vector<QByteArray>{storedName("old.txt")});
}

}  // namespace
}  // namespace orvella::testing
