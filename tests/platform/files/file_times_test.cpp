// Packed DOS date-times and the archive attribute.
#include <gtest/gtest.h>

#include <sys/xattr.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/files/archive_attribute.h"
#include "platform/files/dos_time.h"

namespace orvella::files {
namespace {

constexpr qint32 dosStamp(int y, int mo, int d, int h, int mi, int s) {
  return qint32((quint32(y - 1980) << 25) | (quint32(mo) << 21) | (quint32(d) << 16) | (quint32(h) << 11) |
                (quint32(mi) << 5) | quint32(s / 2));
}

TEST(DosTime, PackingFollowsTheBitLayout) {
  const QDateTime t(QDate(2009, 3, 15), QTime(13, 45, 31), Qt::LocalTime);
  EXPECT_EQ(packDosDateTime(t), dosStamp(2009, 3, 15, 13, 45, 30));
  EXPECT_EQ(unpackDosDateTime(dosStamp(2009, 3, 15, 13, 45, 30)),
            QDateTime(QDate(2009, 3, 15), QTime(13, 45, 30)));
  // Year 2107 fills the top bit: the packed value is negative.
  const qint32 late = packDosDateTime(QDateTime(QDate(2107, 12, 31), QTime(23, 59, 58), Qt::LocalTime));
  EXPECT_LT(late, 0);
  EXPECT_EQ(unpackDosDateTime(late).date(), QDate(2107, 12, 31));
}

TEST(DosTime, OutOfRangeAndInvalidValues) {
  EXPECT_EQ(packDosDateTime(QDateTime(QDate(1979, 12, 31), QTime(23, 0), Qt::LocalTime)), -1);
  EXPECT_EQ(packDosDateTime(QDateTime()), -1);
  EXPECT_FALSE(unpackDosDateTime(-1).isValid());  // month 15
  EXPECT_FALSE(unpackDosDateTime(dosStamp(2010, 2, 30, 0, 0, 0)).isValid());
  EXPECT_FALSE(unpackDosDateTime(dosStamp(2010, 1, 1, 0, 0, 0) | 30).isValid());  // 60 seconds
}

class FileTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath("a.txt");
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("abc");
  }
  QTemporaryDir dir_;
  QString path_;
};

TEST_F(FileTimeTest, SetAndReadBack) {
  const qint32 stamp = dosStamp(2012, 7, 4, 8, 9, 10);
  ASSERT_TRUE(setFileDosTime(path_, stamp));
  EXPECT_EQ(fileDosTime(path_), stamp);
  QFile f(path_);
  ASSERT_TRUE(f.open(QIODevice::Append));
  f.write("more");  // still buffered when the time is set
  ASSERT_TRUE(setFileDosTime(f, dosStamp(2015, 1, 2, 3, 4, 6)));
  f.close();
  EXPECT_EQ(fileDosTime(path_), dosStamp(2015, 1, 2, 3, 4, 6));
  EXPECT_FALSE(setFileDosTime(path_, -1));
  EXPECT_EQ(fileDosTime(dir_.filePath("missing")), -1);
}

TEST_F(FileTimeTest, ArchiveAttributeFollowsWrites) {
  if (::setxattr(QFile::encodeName(path_).constData(), "user.probe", "1", 1, 0) != 0)
    GTEST_SKIP() << "no user extended attributes here";
  EXPECT_TRUE(archiveAttribute(path_));  // never marked: counts as set
  ASSERT_TRUE(setArchiveAttribute(path_, false));
  EXPECT_FALSE(archiveAttribute(path_));
  // Writing the file sets it again.
  setFileDosTime(path_, dosStamp(2001, 1, 1, 0, 0, 0));
  EXPECT_TRUE(archiveAttribute(path_));
  ASSERT_TRUE(setArchiveAttribute(path_, false));
  ASSERT_TRUE(setArchiveAttribute(path_, true));
  EXPECT_TRUE(archiveAttribute(path_));
  EXPECT_FALSE(setArchiveAttribute(dir_.filePath("missing"), false));
}

}  // namespace
}  // namespace orvella::files
