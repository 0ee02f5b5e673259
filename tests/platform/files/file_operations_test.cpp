// Copy without overwriting, delete, folders, temporary names and the guarded opening for writing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/files/dos_time.h"
#include "platform/files/file_operations.h"

namespace orvella::files {
namespace {

class FileOperationsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
  QString path(const QString& name) const { return dir_.filePath(name); }
  void write(const QString& name, const QByteArray& data) {
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
  }
  QByteArray read(const QString& name) {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  QTemporaryDir dir_;
};

TEST_F(FileOperationsTest, CopyNeverOverwritesAndKeepsTheTime) {
  write("Source.WMF", "picture");
  setFileDosTime(path("Source.WMF"), packDosDateTime(QDateTime(QDate(2010, 5, 6), QTime(7, 8, 10))));
  EXPECT_TRUE(copyFileNoOverwrite(path("source.wmf"), path("copy.wmf")));
  EXPECT_EQ(read("copy.wmf"), "picture");
  EXPECT_EQ(fileDosTime(path("copy.wmf")), fileDosTime(path("Source.WMF")));
  write("Kept.wmf", "old");
  EXPECT_FALSE(copyFileNoOverwrite(path("Source.WMF"), path("kept.wmf")));
  EXPECT_EQ(read("Kept.wmf"), "old");
  EXPECT_FALSE(QFileInfo::exists(path("kept.wmf")));
  EXPECT_FALSE(copyFileNoOverwrite(path("none.wmf"), path("other.wmf")));
}

TEST_F(FileOperationsTest, DeleteFilesNotFolders) {
  write("Holidays.INI", "x");
  EXPECT_TRUE(deleteFile(path("holidays.ini")));
  EXPECT_FALSE(QFileInfo::exists(path("Holidays.INI")));
  EXPECT_FALSE(deleteFile(path("holidays.ini")));
  QDir(dir_.path()).mkdir("folder");
  EXPECT_FALSE(deleteFile(path("folder")));
  EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

TEST_F(FileOperationsTest, FoldersAndTemporaryNames) {
  EXPECT_TRUE(makeFolders(path("a/b\\c")));
  EXPECT_TRUE(QFileInfo(path("a/b/c")).isDir());
  EXPECT_TRUE(makeFolders(path("A/B")));  // exists under another case
  write("plain", "x");
  EXPECT_FALSE(makeFolders(path("plain/sub")));
  const QString a = temporaryFileName("FID");
  const QString b = temporaryFileName("FID");
  EXPECT_NE(a, b);
  EXPECT_TRUE(QFileInfo(a).fileName().startsWith("FID"));
  EXPECT_TRUE(QFileInfo::exists(a));
  QFile::remove(a);
  QFile::remove(b);
}

TEST_F(FileOperationsTest, OpeningForWritingTruncatesAppendsAndRefusesLinks) {
  write("t.txt", "0123456789");
  QFile f;
  ASSERT_TRUE(openForWriting(f, path("t.txt"), WriteMode::Truncate));
  f.write("ab");
  f.close();
  EXPECT_EQ(read("t.txt"), "ab");
  ASSERT_TRUE(openForWriting(f, path("t.txt"), WriteMode::Append));
  f.write("cd");
  f.close();
  EXPECT_EQ(read("t.txt"), "abcd");

  write("victim.txt", "precious");
  ASSERT_TRUE(QFile::link(path("victim.txt"), path("link.txt")));
  EXPECT_TRUE(isSymLink(path("link.txt")));
  EXPECT_FALSE(openForWriting(f, path("link.txt"), WriteMode::Truncate));
  EXPECT_FALSE(openForWriting(f, path("link.txt"), WriteMode::Append));
  ASSERT_TRUE(QFile::link(path("nowhere.txt"), path("dangling.txt")));
  EXPECT_FALSE(openForWriting(f, path("dangling.txt"), WriteMode::Truncate));
  EXPECT_FALSE(QFileInfo::exists(path("nowhere.txt")));
  EXPECT_EQ(read("victim.txt"), "precious");

  ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
  EXPECT_FALSE(openForWriting(f, path("pipe"), WriteMode::Truncate));  // returns instead of blocking
  QDir(dir_.path()).mkdir("folder");
  EXPECT_FALSE(openForWriting(f, path("folder"), WriteMode::Truncate));
}

}  // namespace
}  // namespace orvella::files
