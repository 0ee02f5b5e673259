// Truncated and damaged archives: error codes while a file is written, raised errors elsewhere.
#include <zlib.h>
#include <QBuffer>

#include "archive_test_support.h"
#include "platform/errors/error.h"

namespace orvella::testing {
namespace {

class DamagedTest : public ArchiveTest {
 protected:
  void SetUp() override {
    ArchiveTest::SetUp();
    QDir().mkpath(path("out"));
    IndependentWriter w;
    // The total leaves room for the four bytes that a later volume adds in the volume tests.
    w.header(20000 + 3 + 4, 2).entry("c:\\a.txt", 0, textBytes(20000)).entry("c:\\b.txt", 0, "bbb").end();
    whole_ = w.bytes();
    headerSize_ = 12;
    firstEntryEnd_ = whole_.indexOf("c:\\b.txt") - 4;
  }
  // Restores the bytes; returns the raised message, or "" when Restore returned.
  QString restore(const QByteArray& bytes, bool* result = nullptr) {
    write("d.hol", bytes);
    try {
      const bool ok = bf_.Restore(path("d.hol"), path("out"));
      if (result) *result = ok;
    } catch (const Error& e) {
      EXPECT_FALSE(bf_.Busy());
      return e.message();
    }
    return {};
  }
  QByteArray whole_;
  qsizetype headerSize_ = 0;
  qsizetype firstEntryEnd_ = 0;
};

TEST_F(DamagedTest, TheWholeArchiveIsSound) {
  bool ok = false;
  EXPECT_EQ(restore(whole_, &ok), "");
  EXPECT_TRUE(ok);
  EXPECT_EQ(read("out/b.txt"), "bbb");
  EXPECT_EQ(whole_.mid(firstEntryEnd_ - 4, 4), le32(0));
}

TEST_F(DamagedTest, TruncatedInsideFileDataGivesCodeOne) {
  for (const qsizetype cut : {headerSize_ + 4 + 8 + 4 + 2, headerSize_ + 4 + 8 + 4 + 4 + 2,
                              headerSize_ + 4 + 8 + 4 + 4 + 4 + 10, firstEntryEnd_ - 2}) {
    errors_.clear();
    write("out/a.txt", "old");
    bool ok = true;
    EXPECT_EQ(restore(whole_.left(cut), &ok), "") << cut;
    EXPECT_FALSE(ok);
    EXPECT_EQ(errors_, std::vector<int>{1}) << cut;
    EXPECT_TRUE(messages_.last().startsWith("Błąd odczytu pliku: nie odtworzono „c:\\a.txt”")) << cut;
    // No half-written file: the old one stays as it was, and nothing is left beside it.
    EXPECT_EQ(read("out/a.txt"), "old") << cut;
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"a.txt"}) << cut;
  }
}

QByteArray zlibStream(const QByteArray& data, const QByteArray& dictionary = {}) {
  z_stream z{};
  deflateInit(&z, 6);
  if (!dictionary.isEmpty())
    deflateSetDictionary(&z, reinterpret_cast<const Bytef*>(dictionary.constData()), uInt(dictionary.size()));
  QByteArray out(int(deflateBound(&z, uLong(data.size()))), 0);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
  z.avail_in = uInt(data.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = uInt(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.truncate(qsizetype(z.total_out));
  deflateEnd(&z);
  return out;
}

// One file "c:\a.txt" whose chunk holds the single block given.
QByteArray archiveWithBlock(const QByteArray& block) {
  return le32(0) + le32(1 << 20) + le32(1) + le32(8) + "c:\\a.txt" + le32(0) + QByteArray("EC2\0", 4) +
         le32(qint32(block.size())) + block + le32(0) + le32(0);
}

// A theme is a settings file and a few pictures: an archive that declares or holds more bytes or files
// than a restore writes is refused with the archive's name, before anything more is written.
TEST_F(DamagedTest, ARestoreWritesNoMoreThanAThemeHolds) {
  for (const auto& [total, count] : {std::pair(0x7FFFFFFF, 1), std::pair(IndependentWriter::kTrueTotal, 1001)}) {
    const QString refused = restore(IndependentWriter().header(total, count).entry("c:\\a.txt", 0, "a").end().bytes());
    EXPECT_TRUE(refused.contains(path("d.hol")) && refused.contains(QStringLiteral("256 MiB w 1000 plikach")))
        << refused.toStdString();
    EXPECT_FALSE(exists("out/a.txt"));
  }
  // Entries beyond the count, whatever the header says.
  bf_.setMaxRestoreFiles(3);
  IndependentWriter more;
  more.header(IndependentWriter::kTrueTotal, 1);
  for (int i = 0; i < 5; ++i) more.entry("c:\\r" + QByteArray::number(i), 0, "r");
  EXPECT_TRUE(restore(more.end().bytes()).contains(QStringLiteral("w 3 plikach")));
  EXPECT_EQ(QDir(path("out")).entryList({"r*"}, QDir::Files | QDir::Hidden), QStringList({"r0", "r1", "r2"}));
}

// A compressed block is one complete zlib stream of exactly its length that inflates to at most 16384
// bytes; anything else is a compression error, and the file it belongs to is not half written.
TEST_F(DamagedTest, ABlockThatIsNoCompleteStreamOfOneBlockIsACompressionError) {
  const QByteArray text = textBytes(3000);
  bool ok = false;
  EXPECT_EQ(restore(archiveWithBlock(zlibStream(text)), &ok), "");
  ASSERT_TRUE(ok);
  EXPECT_EQ(read("out/a.txt"), text);
  EXPECT_EQ(restore(archiveWithBlock(zlibStream(QByteArray(16384, 'x'))), &ok), "");
  EXPECT_TRUE(ok) << "a block of exactly 16384 bytes is sound";

  QByteArray cut = zlibStream(text);
  cut.chop(6);
  QByteArray wrongCheck = zlibStream(text);
  wrongCheck[wrongCheck.size() - 1] = char(wrongCheck[wrongCheck.size() - 1] ^ 0x5A);
  const std::pair<const char*, QByteArray> damaged[] = {
      {"inflates past one block", zlibStream(QByteArray(16385, 'x'))},
      {"cut short", cut},
      {"wrong Adler-32", wrongCheck},
      {"needs a preset dictionary", zlibStream(text, "Nowy Rok Wigilia")},
      {"bytes after the stream", zlibStream(text) + "xyz"},
  };
  for (const auto& [what, block] : damaged) {
    write("out/a.txt", "old");
    errors_.clear();
    ok = true;
    EXPECT_EQ(restore(archiveWithBlock(block), &ok), "") << what;
    EXPECT_FALSE(ok) << what;
    EXPECT_EQ(errors_, std::vector<int>{6}) << what;
    EXPECT_EQ(read("out/a.txt"), "old") << what;
  }
}

// The header's total is the sum of the stored files' sizes: a restore never writes more than that, so
// a forged total cannot make a small archive fill the disk.
TEST_F(DamagedTest, RestoringMoreThanTheDeclaredTotalStops) {
  IndependentWriter forged;
  forged.header(20000 + 2, 2).entry("c:\\a.txt", 0, textBytes(20000)).entry("c:\\b.txt", 0, "bbb").end();
  const QString beyond = restore(forged.bytes());
  EXPECT_TRUE(beyond.contains(path("d.hol")) && beyond.contains(QStringLiteral("nagłówek")))
      << beyond.toStdString();
  EXPECT_EQ(read("out/a.txt"), textBytes(20000));
  EXPECT_FALSE(exists("out/b.txt"));

  // The same block over and over, far beyond the total of one.
  IndependentWriter repeated;
  repeated.header(16384, 1000);
  for (int i = 0; i < 1000; ++i) repeated.entry("c:\\r" + QByteArray::number(i), 0, QByteArray(16384, 0));
  repeated.end();
  EXPECT_EQ(restore(repeated.bytes()), beyond);
  EXPECT_EQ(QDir(path("out")).entryList({"r*"}, QDir::Files | QDir::Hidden), QStringList{"r0"});

  // Entries that are passed over restore nothing and count for nothing.
  bf_.OnRestoreFile = [](QString&, qint32, bool& doRestore) { doRestore = false; };
  bool ok = false;
  EXPECT_EQ(restore(repeated.bytes(), &ok), "");
  EXPECT_TRUE(ok);
}

TEST_F(DamagedTest, TruncatedInEntryFieldsRaisesStreamReadError) {
  const qsizetype second = firstEntryEnd_;
  for (const qsizetype cut : {second, second + 2, second + 4 + 3, second + 4 + 8 + 1}) {
    EXPECT_EQ(restore(whole_.left(cut)), "Stream read error") << cut;
  }
  EXPECT_EQ(restore(whole_.left(whole_.size() - 2)), "Stream read error");
}

TEST_F(DamagedTest, TruncatedWhilePassingOverAChunkRaises) {
  write("out/a.txt", "kept");
  bf_.setRestoreMode(rmNoOverwrite);
  EXPECT_EQ(restore(whole_.left(headerSize_ + 4 + 8 + 4 + 4 + 4 + 10)), "Stream read error");
  EXPECT_EQ(read("out/a.txt"), "kept");
}

TEST_F(DamagedTest, TruncatedHeaderRaisesArchiveReadError) {
  for (const qsizetype cut : {0, 3, 4, 11})
    EXPECT_EQ(restore(whole_.left(cut)), QStringLiteral("Błąd odczytu archiwum"));
  EXPECT_EQ(restore(le32(-5) + whole_.mid(4)), QStringLiteral("Błąd odczytu archiwum"));
  EXPECT_EQ(restore(le32(0x7FFFFFFF) + whole_.mid(4)), QStringLiteral("Błąd odczytu archiwum"));
}

TEST_F(DamagedTest, WrongMagicAndOversizedBlocks) {
  QByteArray badMagic = whole_;
  badMagic.replace("EC2", "ZIP");
  EXPECT_EQ(restore(badMagic), "");
  EXPECT_EQ(errors_, std::vector<int>{1});

  QByteArray shortMagic = whole_;
  shortMagic[headerSize_ + 4 + 8 + 4 + 2] = 0;  // "EC"
  errors_.clear();
  EXPECT_EQ(restore(shortMagic), "");
  EXPECT_EQ(errors_, std::vector<int>{1});

  write("out/a.txt", "kept");
  bf_.setRestoreMode(rmNoOverwrite);  // the first chunk is passed over
  EXPECT_EQ(restore(badMagic), "Invalid archive type");

  const qsizetype firstLength = headerSize_ + 4 + 8 + 4 + 4;
  QByteArray oversized = whole_;
  oversized.replace(firstLength, 4, le32(16385));
  EXPECT_EQ(restore(oversized), "Invalid archive type");
  oversized.replace(firstLength, 4, le32(std::numeric_limits<qint32>::min()));
  EXPECT_EQ(restore(oversized), "Invalid archive type");
  bf_.setRestoreMode(rmAll);
  errors_.clear();
  EXPECT_EQ(restore(oversized), "");
  EXPECT_EQ(errors_, std::vector<int>{1});
}

TEST_F(DamagedTest, DamagedCompressedDataGivesCompressionError) {
  QByteArray broken = whole_;
  broken[headerSize_ + 4 + 8 + 4 + 4 + 4] = 0x12;  // not a zlib header
  bool ok = true;
  EXPECT_EQ(restore(broken, &ok), "");
  EXPECT_FALSE(ok);
  EXPECT_EQ(errors_, std::vector<int>{6});
  EXPECT_EQ(messages_.last(), "Compression error");
}

TEST_F(DamagedTest, NegativeAndAbsurdEntryLengths) {
  // A negative length is passed over; a name longer than any sound one is damage.
  QByteArray withNegative = whole_;
  withNegative.insert(headerSize_, le32(-7) + le32(-1));
  EXPECT_EQ(restore(withNegative), "");
  EXPECT_EQ(read("out/b.txt"), "bbb");
  QByteArray huge = whole_.left(headerSize_) + le32(0x7FFFFFF0) + "abc";
  EXPECT_EQ(restore(huge), "Invalid archive type");
  QByteArray badVolume = whole_.left(headerSize_) + le32(12) + "NEXT:DISK/.." + le32(0);
  EXPECT_EQ(restore(badVolume), "Invalid archive type");
}

// A volume record must name a later volume: one naming the same or an earlier volume would be
// followed without end.
TEST_F(DamagedTest, VolumeRecordsThatDoNotGoForward) {
  int asks = 0;
  bf_.OnNeedDisk = [&](quint16, bool& cont) { cont = ++asks < 50; };
  const QByteArray first = whole_.left(firstEntryEnd_);
  for (const char* record : {"NEXT:DISK001", "NEXT:DISK000"}) {
    asks = 0;
    write("d.001", whole_);
    write("d.000", whole_);
    EXPECT_EQ(restore(first + le32(12) + record), "Invalid archive type") << record;
    EXPECT_EQ(asks, 0) << record;
  }

  IndependentWriter second;
  second.chunk("more");
  for (const char* record : {"NEXT:DISK002", "NEXT:DISK001"}) {
    asks = 0;
    write("d.002", second.bytes() + le32(12) + record);
    EXPECT_EQ(restore(first + le32(12) + "NEXT:DISK002"), "Invalid archive type") << record;
    EXPECT_EQ(asks, 0) << record;  // a volume beside the archive is read without a question
    EXPECT_FALSE(exists("out/a.txt")) << "a file of a damaged volume set is not left behind";
  }

  // Skipping volumes forward is still followed.
  asks = 0;
  write("d.005", second.bytes() + whole_.mid(firstEntryEnd_));
  EXPECT_EQ(restore(first + le32(12) + "NEXT:DISK005"), "");
  EXPECT_EQ(asks, 0);
  EXPECT_EQ(bf_.Volume(), 5);
  EXPECT_EQ(read("out/a.txt"), textBytes(20000) + "more");
  EXPECT_EQ(read("out/b.txt"), "bbb");

  // A stream naming a volume that does not go forward is damaged as well.
  QBuffer in;
  in.setData(first + le32(12) + "NEXT:DISK001");
  in.open(QIODevice::ReadOnly);
  bf_.setReadStream(&in);
  EXPECT_THROW(bf_.Restore(":STREAM", path("out")), Error);
  EXPECT_FALSE(bf_.Busy());
}

TEST_F(DamagedTest, StreamWithoutDeviceOrWithVolumeRecord) {
  bf_.setReadStream(nullptr);
  EXPECT_THROW(bf_.Restore(":STREAM", path("out")), Error);
  QBuffer in;
  in.setData(whole_.left(headerSize_) + le32(12) + "NEXT:DISK002");
  in.open(QIODevice::ReadOnly);
  bf_.setReadStream(&in);
  EXPECT_FALSE(bf_.Restore(":STREAM", path("out")));
  EXPECT_TRUE(errors_.empty());
}

}  // namespace
}  // namespace orvella::testing
