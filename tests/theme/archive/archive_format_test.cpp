// The bytes Backup writes, checked by the test's own reader.
#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QFileInfo>

#include "archive_test_support.h"
#include "platform/errors/error.h"

namespace orvella::testing {
namespace {

using FormatTest = ArchiveTest;

// A stream that takes a given number of bytes and then refuses every write.
class FailingDevice : public QIODevice {
 public:
  explicit FailingDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }
  QByteArray written;

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override {
    if (written.size() + size > room_) return -1;
    written.append(data, size);
    return size;
  }

 private:
  qint64 room_;
};

// The archive of one empty file under an eight-character name: exactly 40 bytes.
TEST_F(FormatTest, EmptyFileGivesTheFortyByteArchive) {
  QString name;
  for (int attempt = 0; attempt < 200 && name.isEmpty(); ++attempt) {
    const QString candidate = QStringLiteral("/tmp/o%1").arg(attempt, 2, 36, QLatin1Char('0'));
    const int fd = ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd >= 0) {
      ::close(fd);
      name = candidate;
    }
  }
  ASSERT_EQ(name.size(), 8);
  const QDateTime time(QDate(2009, 6, 15), QTime(12, 30, 4), Qt::LocalTime);
  {
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
  }
  const bool ok = bf_.Backup({name}, path("x.hol"));
  QFile::remove(name);
  ASSERT_TRUE(ok);
  QByteArray expected;
  expected += QByteArray::fromHex(
      "00000000"
      "00000000"
      "01000000"
      "08000000");
  expected += name.toLatin1();
  expected += le32(dosStamp(2009, 6, 15, 12, 30, 4));
  expected += QByteArray::fromHex(
      "45433200"
      "00000000"
      "00000000");
  EXPECT_EQ(expected.size(), 40);
  EXPECT_EQ(read("x.hol").toHex(), expected.toHex());
  EXPECT_EQ(bf_.FilesCount(), 1);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(FormatTest, BlocksOf16384BytesEachItsOwnStream) {
  const QByteArray data = textBytes(16385);
  write("big.txt", data, dosStamp(2011, 2, 3, 4, 5, 6));
  ASSERT_TRUE(bf_.Backup({path("big.txt")}, path("a.hol")));
  const Archive a = IndependentReader(read("a.hol")).read();
  EXPECT_EQ(a.totalSize, 16385);
  EXPECT_EQ(a.fileCount, 1);
  ASSERT_EQ(a.entries.size(), 1u);
  const Entry& e = a.entries[0];
  EXPECT_EQ(e.name, storedName("big.txt"));
  EXPECT_EQ(e.stamp, dosStamp(2011, 2, 3, 4, 5, 6));
  ASSERT_EQ(e.blocks.size(), 2u);
  EXPECT_GT(e.blocks[0].length, 0);
  EXPECT_EQ(e.blocks[0].bytes.size(), 16384);
  EXPECT_EQ(e.blocks[1].bytes, data.right(1));
  EXPECT_EQ(e.data(), data);
}

TEST_F(FormatTest, IncompressibleDataIsStoredRawExceptAShortLastBlock) {
  const QByteArray data = randomBytes(2 * 16384 + 100, 7);
  write("photo.jpg", data);
  ASSERT_TRUE(bf_.Backup({path("photo.jpg")}, path("a.hol")));
  const Archive a = IndependentReader(read("a.hol")).read();
  ASSERT_EQ(a.entries.size(), 1u);
  const auto& blocks = a.entries[0].blocks;
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0].length, -16384);
  EXPECT_EQ(blocks[1].length, -16384);
  // 100 random bytes still fit as a zlib stream, a few bytes longer than the data.
  EXPECT_GT(blocks[2].length, 100);
  EXPECT_LT(blocks[2].length, 130);
  EXPECT_EQ(a.entries[0].data(), data);
}

TEST_F(FormatTest, BlocksAreWhatDeflateWithTheFixedParametersGives) {
  const QByteArray data = textBytes(40000);
  write("t.txt", data);
  for (TCompressionLevel level : {clFastest, clDefault, clMax}) {
    bf_.setCompressionLevel(level);
    ASSERT_TRUE(bf_.Backup({path("t.txt")}, path("a.hol")));
    const Archive a = IndependentReader(read("a.hol")).read();
    ASSERT_EQ(a.entries.size(), 1u);
    for (const Block& b : a.entries[0].blocks) {
      z_stream z{};
      ASSERT_EQ(deflateInit2(&z, TBackupFile::zlibLevel(level), Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY), Z_OK);
      QByteArray out(16384, 0);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(b.bytes.constData()));
      z.avail_in = uInt(b.bytes.size());
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = 16384;
      ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
      EXPECT_EQ(b.length, qint32(z.total_out)) << "level " << level;
      deflateEnd(&z);
    }
  }
  // Without compression a full block cannot fit and is stored raw.
  bf_.setCompressionLevel(clNone);
  ASSERT_TRUE(bf_.Backup({path("t.txt")}, path("a.hol")));
  const Archive a = IndependentReader(read("a.hol")).read();
  EXPECT_EQ(a.entries[0].blocks[0].length, -16384);
  EXPECT_EQ(a.entries[0].data(), data);
}

TEST_F(FormatTest, HeaderTitleCountsAndFileIdentities) {
  write("one.ini", "[1]\r\n", dosStamp(2010, 1, 1, 10, 0, 0));
  write("two.wmf", textBytes(3000), dosStamp(2010, 1, 2, 11, 0, 0));
  bf_.setBackupTitle(QStringLiteral("Święta"));
  bf_.setSaveFileID(true);
  const auto identityFiles = [] {
    return QDir(QDir::tempPath()).entryList({"FID*.tmp"}, QDir::Files).size();
  };
  const qsizetype before = identityFiles();
  ASSERT_TRUE(bf_.Backup({path("one.ini"), path("two.wmf"), path("none.txt")}, path("a.hol")));
  const Archive a = IndependentReader(read("a.hol")).read();
  EXPECT_EQ(a.title, QByteArray("\x8cwi\xeata"));  // the 8-bit code page
  EXPECT_EQ(a.fileCount, 2);
  ASSERT_EQ(a.entries.size(), 3u);
  EXPECT_EQ(a.entries[0].name, "FILE:LIST");
  const QByteArray list = a.entries[0].data();
  const QByteArray expectedList =
      storedName("one.ini") + "\t" + QByteArray::number(dosStamp(2010, 1, 1, 10, 0, 0)) + "=5\r\n" +
      storedName("two.wmf") + "\t" + QByteArray::number(dosStamp(2010, 1, 2, 11, 0, 0)) + "=3000\r\n";
  EXPECT_EQ(list, expectedList);
  EXPECT_EQ(a.totalSize, 5 + 3000 + expectedList.size());
  EXPECT_EQ(a.entries[1].name, storedName("one.ini"));
  EXPECT_EQ(a.entries[2].data(), textBytes(3000));
  EXPECT_EQ(bf_.FilesCount(), 2);
  EXPECT_EQ(identityFiles(), before) << "the temporary identity file is removed";
  // Restore reads past the identity entry and never writes it out.
  QDir().mkpath(path("out"));
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(QDir(path("out")).entryList(QDir::Files), QStringList({"one.ini", "two.wmf"}));
}

TEST_F(FormatTest, NamesOutsideTheCodePageAreWrittenAsUtf8AndRoundTrip) {
  write("Kwiatek-żółw.wmf", "a");
  write("日本.wmf", "b");
  ASSERT_TRUE(bf_.Backup({path("kwiatek-żółw.wmf"), path("日本.wmf")}, path("a.hol")));
  const Archive a = IndependentReader(read("a.hol")).read();
  ASSERT_EQ(a.entries.size(), 2u);
  EXPECT_TRUE(a.entries[0].name.endsWith("kwiatek-\xbf\xf3\xb3w.wmf"));
  EXPECT_TRUE(a.entries[1].name.endsWith("日本.wmf"));
  QDir().mkpath(path("out"));
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(read("out/kwiatek-żółw.wmf"), "a");
  EXPECT_EQ(read("out/日本.wmf"), "b");
}

// A reader stops at the header's total, so a file that grows while the archive is written is stored
// as it was counted and the archive restores whole.
TEST_F(FormatTest, AFileThatGrowsMeanwhileIsStoredAsCounted) {
  write("src/a.txt", textBytes(40000));
  write("src/b.txt", "counted");
  bf_.OnProgress = [this](const QString& name, int, bool&) {
    if (!name.endsWith("a.txt")) return;
    QFile grows(path("src/b.txt"));
    ASSERT_TRUE(grows.open(QIODevice::Append));
    grows.write(" and more");
  };
  ASSERT_TRUE(bf_.Backup({path("src/a.txt"), path("src/b.txt")}, path("x.hol")));
  bf_.OnProgress = nullptr;
  EXPECT_EQ(IndependentReader(read("x.hol")).read().totalSize, 40000 + 7);
  ASSERT_TRUE(bf_.Restore(path("x.hol"), path("out")));
  EXPECT_EQ(read("out/b.txt"), "counted");
}

TEST_F(FormatTest, StreamArchives) {
  bf_.setBackupMode(bmIncremental);
  EXPECT_TRUE(bf_.SetArchiveFlag());
  bf_.setBackupMode(bmAll);

  write("s.txt", textBytes(20000));
  QBuffer out;
  out.open(QIODevice::WriteOnly);
  bf_.setWriteStream(&out);
  ASSERT_TRUE(bf_.Backup({path("s.txt")}, ":STREAM"));
  EXPECT_FALSE(exists(":STREAM"));
  EXPECT_EQ(IndependentReader(out.data()).read().entries[0].data(), textBytes(20000));

  QBuffer in;
  in.setData(out.data());
  in.open(QIODevice::ReadOnly);
  bf_.setReadStream(&in);
  QDir().mkpath(path("back"));
  ASSERT_TRUE(bf_.Restore(":STREAM", path("back")));
  EXPECT_EQ(read("back/s.txt"), textBytes(20000));

  // A stream that is not open for writing is an archive that cannot be created.
  QBuffer closed;
  bf_.setWriteStream(&closed);
  EXPECT_FALSE(bf_.Backup({path("s.txt")}, ":STREAM"));
  EXPECT_EQ(errors_, std::vector<int>{4});
  EXPECT_EQ(messages_.value(0), QStringLiteral("Błąd zapisu do archiwum"));
}

TEST_F(FormatTest, WriteFailuresGiveCodeFourOrRaiseForEntryNames) {
  write("f.txt", textBytes(40000));
  const qsizetype nameLength = storedName("f.txt").size();
  struct Case {
    qint64 room;
    bool raises;
  } cases[] = {{6, false},                                   // in the header
               {12 + 2, true},                               // in the entry's name length
               {12 + 4 + nameLength - 1, true},              // in the name
               {12 + 4 + nameLength + 4 + 2, false},         // in the chunk magic
               {12 + 4 + nameLength + 4 + 4 + 100, false}};  // in a block
  for (const Case& c : cases) {
    errors_.clear();
    FailingDevice device(c.room);
    bf_.setWriteStream(&device);
    if (c.raises) {
      try {
        bf_.Backup({path("f.txt")}, ":STREAM");
        ADD_FAILURE() << "no error raised at " << c.room;
      } catch (const Error& e) {
        EXPECT_EQ(e.message(), "Stream write error");
      }
      EXPECT_FALSE(bf_.Busy());
    } else {
      EXPECT_FALSE(bf_.Backup({path("f.txt")}, ":STREAM")) << c.room;
      EXPECT_EQ(errors_, std::vector<int>{4}) << c.room;
    }
  }
}

TEST_F(FormatTest, ErrorsGoToTheDialogHookWithoutAHandler) {
  bf_.OnError = nullptr;
  EXPECT_FALSE(bf_.Backup({}, path("missing-folder/a.hol")));
  EXPECT_EQ(BackupFileDialogs::lastError, QStringLiteral("Błąd zapisu do archiwum"));
  QString shown;
  BackupFileDialogs::showError = [&](const QString& m) { shown = m; };
  EXPECT_FALSE(bf_.Backup({}, path("missing-folder/a.hol")));
  EXPECT_EQ(shown, QStringLiteral("Błąd zapisu do archiwum"));
  EXPECT_FALSE(bf_.Busy());
}

}  // namespace
}  // namespace orvella::testing
