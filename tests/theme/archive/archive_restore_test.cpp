// Restore of archives written by the test's own writer: targets, modes, time stamps, events, refusals.
#include <sys/stat.h>

#include <filesystem>

#include "archive_test_support.h"

namespace orvella::testing {
namespace {

class RestoreTest : public ArchiveTest {
 protected:
  void SetUp() override {
    ArchiveTest::SetUp();
    QDir().mkpath(path("out"));
  }
  void archive(const QByteArray& bytes, const QString& name = "a.hol") { write(name, bytes); }
};

TEST_F(RestoreTest, IndependentArchiveRestoresByFilePart) {
  const QByteArray big = randomBytes(40000, 3);
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 3)
      .entry("c:\\temp\\holidays.ini", dosStamp(2009, 12, 24, 18, 0, 0), "[1]\r\n1=Nowy Rok\r\n")
      .entry("/home/u/pictures/flower.wmf", dosStamp(2008, 5, 1, 9, 30, 2), big, true, 5000)
      .entry("d:empty.txt", dosStamp(2001, 1, 1, 0, 0, 0), {})
      .end();
  archive(w.bytes());
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(read("out/holidays.ini"), "[1]\r\n1=Nowy Rok\r\n");
  EXPECT_EQ(read("out/flower.wmf"), big);
  EXPECT_EQ(read("out/empty.txt"), "");
  EXPECT_EQ(stampOf("out/holidays.ini"), dosStamp(2009, 12, 24, 18, 0, 0));
  EXPECT_EQ(stampOf("out/flower.wmf"), dosStamp(2008, 5, 1, 9, 30, 2));
  EXPECT_EQ(bf_.FilesCount(), 3);
  EXPECT_TRUE(errors_.empty());
  EXPECT_FALSE(bf_.Busy());
}

TEST_F(RestoreTest, BackupAndRestoreRoundTripWithTimes) {
  write("src/Theme.ini", textBytes(70000), dosStamp(2016, 2, 29, 23, 59, 58));
  write("src/pic.jpg", randomBytes(33000, 5), dosStamp(1999, 9, 9, 9, 9, 8));
  write("src/empty", "", dosStamp(2000, 1, 1, 0, 0, 0));
  ASSERT_TRUE(bf_.Backup({path("src/*.*")}, path("a.hol")));
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out/new")));  // the folder is created
  EXPECT_EQ(read("out/new/theme.ini"), textBytes(70000));
  EXPECT_EQ(read("out/new/pic.jpg"), randomBytes(33000, 5));
  EXPECT_EQ(read("out/new/empty"), "");
  EXPECT_EQ(stampOf("out/new/theme.ini"), dosStamp(2016, 2, 29, 23, 59, 58));
  EXPECT_EQ(stampOf("out/new/pic.jpg"), dosStamp(1999, 9, 9, 9, 9, 8));
  EXPECT_EQ(bf_.FilesCount(), 3);
}

TEST_F(RestoreTest, SameFilePartTwiceLeavesTheLater) {
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 2)
      .entry("c:\\a\\flower.wmf", 0, "first")
      .entry("c:\\b\\FLOWER.WMF", 0, "second")
      .end();
  archive(w.bytes());
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  // The second name differs only in case: it is the same file, as on the program's home platform.
  EXPECT_EQ(read("out/flower.wmf"), "second");
  EXPECT_FALSE(exists("out/FLOWER.WMF"));
  // A file of another case already there is the one written, as the names compare without case.
  write("out/Holidays.INI", "old");
  IndependentWriter w2;
  w2.header(IndependentWriter::kTrueTotal, 1).entry("c:\\t\\holidays.ini", 0, "new").end();
  archive(w2.bytes(), "b.hol");
  ASSERT_TRUE(bf_.Restore(path("b.hol"), path("out")));
  EXPECT_EQ(read("out/Holidays.INI"), "new");
  EXPECT_FALSE(exists("out/holidays.ini"));
}

TEST_F(RestoreTest, FullPathsAndTheEmptyTarget) {
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 2)
      .entry("c:\\themes\\x\\a.ini", 0, "a")
      .entry("/home/u/b.ini", 0, "b")
      .end();
  archive(w.bytes());
  bf_.setRestoreFullPath(true);
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(read("out/themes/x/a.ini"), "a");
  EXPECT_EQ(read("out/home/u/b.ini"), "b");

  bf_.setRestoreFullPath(false);
  IndependentWriter back;
  back.header(IndependentWriter::kTrueTotal, 1).entry(storedName("back/c.ini"), 0, "c").end();
  archive(back.bytes(), "b.hol");
  ASSERT_TRUE(bf_.Restore(path("b.hol"), ""));
  EXPECT_EQ(read("back/c.ini"), "c");
}

struct ModeCase {
  TRestoreMode mode;
  bool missing, older, newer;  // restored when the target is missing / older / newer than stored
};

TEST_F(RestoreTest, EachRestoreMode) {
  const qint32 stored = dosStamp(2010, 6, 1, 12, 0, 0);
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 3)
      .entry("c:\\missing.txt", stored, "new")
      .entry("c:\\older.txt", stored, "new")
      .entry("c:\\newer.txt", stored, "new")
      .end();
  archive(w.bytes());
  const ModeCase cases[] = {{rmAll, true, true, true},
                            {rmNoOverwrite, true, false, false},
                            {rmNewer, true, true, false},
                            {rmExisting, false, true, true},
                            {rmExistingNewer, false, true, false}};
  for (const ModeCase& c : cases) {
    QFile::remove(path("out/missing.txt"));
    write("out/older.txt", "old", dosStamp(2010, 6, 1, 11, 59, 58));
    write("out/newer.txt", "old", dosStamp(2010, 6, 1, 12, 0, 2));
    bf_.setRestoreMode(c.mode);
    ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out"))) << c.mode;
    EXPECT_EQ(read("out/missing.txt"), c.missing ? "new" : "<missing>") << c.mode;
    EXPECT_EQ(read("out/older.txt"), c.older ? "new" : "old") << c.mode;
    EXPECT_EQ(read("out/newer.txt"), c.newer ? "new" : "old") << c.mode;
  }
}

TEST_F(RestoreTest, EventsRenameSkipAndSeeTheStream) {
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 2)
      .entry("c:\\a.txt", dosStamp(2011, 1, 1, 0, 0, 0), "aaa")
      .entry("c:\\b.txt", 0, "bbb")
      .end();
  archive(w.bytes());
  std::vector<qint32> stamps;
  bf_.OnRestoreFile = [&](QString& name, qint32 stamp, bool& doRestore) {
    stamps.push_back(stamp);
    if (name.endsWith("a.txt")) name = path("out/renamed.txt");
    if (name.endsWith("b.txt")) doRestore = false;
  };
  QStringList restored;
  qint64 sizeSeen = -1;
  bf_.OnFileRestored = [&](QString& name, QFile& stream) {
    restored << name;
    sizeSeen = stream.size();
  };
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(stamps, (std::vector<qint32>{dosStamp(2011, 1, 1, 0, 0, 0), 0}));
  EXPECT_EQ(read("out/renamed.txt"), "aaa");
  EXPECT_FALSE(exists("out/a.txt"));
  EXPECT_FALSE(exists("out/b.txt"));
  EXPECT_EQ(restored, QStringList{path("out/renamed.txt")});
  EXPECT_EQ(sizeSeen, 3);
  EXPECT_EQ(bf_.FilesCount(), 1);
}

// A restored file is written under a new name and renamed over the old one: a hard link placed in the
// target folder is replaced, never written through.
TEST_F(RestoreTest, AHardLinkInTheTargetFolderIsReplacedNotWrittenThrough) {
  write("victim.txt", "precious");
  std::error_code failed;
  std::filesystem::create_hard_link(path("victim.txt").toStdString(), path("out/theme.ini").toStdString(),
                                    failed);
  ASSERT_FALSE(failed);
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 1).entry("c:\\theme.ini", 0, "new").end();
  archive(w.bytes());
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(read("out/theme.ini"), "new");
  EXPECT_EQ(read("victim.txt"), "precious");
  EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"theme.ini"});
}

TEST_F(RestoreTest, MissingArchiveReturnsFalseQuietly) {
  bool progressed = false;
  bf_.OnProgress = [&](const QString&, int, bool&) { progressed = true; };
  EXPECT_FALSE(bf_.Restore(path("none.hol"), path("out")));
  EXPECT_FALSE(progressed);
  EXPECT_TRUE(errors_.empty());
  EXPECT_TRUE(QDir(path("out")).isEmpty());
}

TEST_F(RestoreTest, NamesThatWouldLeaveTheTargetAreRefused) {
  write("victim.txt", "precious");
  const QByteArray escapes[] = {"c:\\x\\..", "c:\\x\\.", "c:\\x\\", "../victim.txt/.."};
  for (const QByteArray& name : escapes) {
    errors_.clear();
    IndependentWriter w;
    w.header(IndependentWriter::kTrueTotal, 1).entry(name, 0, "evil").end();
    archive(w.bytes());
    EXPECT_FALSE(bf_.Restore(path("a.hol"), path("out"))) << name.constData();
    EXPECT_EQ(errors_, std::vector<int>{1}) << name.constData();
  }
  // The file part alone is used, so folders in the name cannot climb out.
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 1).entry("../../victim.txt", 0, "evil").end();
  archive(w.bytes());
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(read("out/victim.txt"), "evil");
  EXPECT_EQ(read("victim.txt"), "precious");

  bf_.setRestoreFullPath(true);
  for (const QByteArray& name : {QByteArray("c:\\..\\victim.txt"), QByteArray("/a/../../victim.txt"),
                                 QByteArray("c:\\x\\..\\..\\victim.txt")}) {
    errors_.clear();
    IndependentWriter e;
    e.header(IndependentWriter::kTrueTotal, 1).entry(name, 0, "evil").end();
    archive(e.bytes());
    EXPECT_FALSE(bf_.Restore(path("a.hol"), path("out"))) << name.constData();
    EXPECT_EQ(errors_, std::vector<int>{1});
  }
  EXPECT_EQ(read("victim.txt"), "precious");
}

TEST_F(RestoreTest, SymbolicLinksAreNotFollowed) {
  write("victim.txt", "precious");
  QDir().mkpath(path("elsewhere"));
  ASSERT_TRUE(QFile::link(path("victim.txt"), path("out/theme.ini")));
  ASSERT_TRUE(QFile::link(path("elsewhere"), path("out/dir")));
  IndependentWriter w;
  w.header(IndependentWriter::kTrueTotal, 1).entry("c:\\theme.ini", 0, "evil").end();
  archive(w.bytes());
  EXPECT_FALSE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(errors_, std::vector<int>{1});
  EXPECT_EQ(read("victim.txt"), "precious");

  errors_.clear();
  bf_.setRestoreFullPath(true);
  IndependentWriter d;
  d.header(IndependentWriter::kTrueTotal, 1).entry("c:\\dir\\planted.txt", 0, "evil").end();
  archive(d.bytes());
  EXPECT_FALSE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(errors_, std::vector<int>{1});
  EXPECT_FALSE(exists("elsewhere/planted.txt"));
}

// Each entry a restore leaves out is named in the message, with why: a name that would leave the
// folder, or a link, folder or pipe in the way.
TEST_F(RestoreTest, AnEntryLeftOutIsNamedWithItsCause) {
  write("victim.txt", "precious");
  ASSERT_TRUE(QFile::link(path("victim.txt"), path("out/link.ini")));
  QDir().mkpath(path("out/folder.ini"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(path("out/pipe.ini")).constData(), 0600), 0);
  const std::pair<QByteArray, const char*> refused[] = {{"c:\\x\\..", "poza folder"},
                                                        {"c:\\t\\link.ini", "dowiązanie symboliczne"},
                                                        {"c:\\t\\folder.ini", "jest w folderze folder"},
                                                        {"c:\\t\\pipe.ini", "potok"}};
  for (const auto& [name, cause] : refused) {
    archive(IndependentWriter().header(IndependentWriter::kTrueTotal, 1).entry(name, 0, "evil").end().bytes());
    EXPECT_FALSE(bf_.Restore(path("a.hol"), path("out")));
    EXPECT_TRUE(messages_.last().startsWith("Błąd odczytu pliku: ") && messages_.last().contains(name) &&
                messages_.last().contains(QString::fromUtf8(cause)))
        << messages_.last().toStdString();
  }
  EXPECT_EQ(read("victim.txt"), "precious");
}

}  // namespace
}  // namespace orvella::testing
