// Archives split over volumes, progress, and stopping both operations.
#include <QBuffer>

#include "archive_test_support.h"
#include "platform/errors/error.h"

namespace orvella::testing {
namespace {

class VolumeTest : public ArchiveTest {
 protected:
  void SetUp() override {
    ArchiveTest::SetUp();
    QDir().mkpath(path("out"));
    big_ = randomBytes(5 * 16384 + 100, 11);
    write("src/big.bin", big_, dosStamp(2012, 12, 12, 12, 12, 12));
    write("src/tail.txt", "tail", dosStamp(2013, 1, 1, 1, 1, 2));
  }
  bool backupInVolumes(std::vector<quint16>& disks) {
    bf_.setMaxSize(16384 + 100 + 20000);
    bf_.OnNeedDisk = [&](quint16 disk, bool& cont) {
      disks.push_back(disk);
      cont = true;
    };
    return bf_.Backup({path("src/big.bin"), path("src/tail.txt")}, path("set.hol"));
  }
  QByteArray big_;
};

TEST_F(VolumeTest, ThreeVolumesWithRecordsAndNoHeaderAfterTheFirst) {
  std::vector<quint16> disks;
  ASSERT_TRUE(backupInVolumes(disks));
  EXPECT_EQ(disks, (std::vector<quint16>{2, 3}));
  EXPECT_EQ(bf_.Volume(), 3);
  const Archive first = IndependentReader(read("set.hol")).read();
  const Archive second = IndependentReader(read("set.002")).read(false);
  const Archive third = IndependentReader(read("set.003")).read(false);
  EXPECT_FALSE(exists("set.004"));
  EXPECT_EQ(first.volumeRecord, "NEXT:DISK002");
  EXPECT_EQ(second.volumeRecord, "NEXT:DISK003");
  EXPECT_EQ(third.volumeRecord, "");
  EXPECT_EQ(first.fileCount, 2);
  ASSERT_EQ(first.entries.size(), 1u);
  ASSERT_EQ(second.entries.size(), 1u);
  ASSERT_EQ(third.entries.size(), 2u);
  EXPECT_EQ(first.entries[0].data() + second.entries[0].data() + third.entries[0].data(), big_);
  EXPECT_EQ(third.entries[1].name, storedName("src/tail.txt"));
  // Every volume stays within the limit.
  for (const char* v : {"set.hol", "set.002", "set.003"}) EXPECT_LE(read(v).size(), 16384 + 100 + 20000) << v;
}

TEST_F(VolumeTest, SplitArchiveRestoresWhole) {
  std::vector<quint16> disks;
  ASSERT_TRUE(backupInVolumes(disks));
  disks.clear();
  ASSERT_TRUE(bf_.Restore(path("set.hol"), path("out")));
  EXPECT_TRUE(disks.empty()) << "volumes beside the archive are read without a question";
  EXPECT_EQ(read("out/big.bin"), big_);
  EXPECT_EQ(read("out/tail.txt"), "tail");
  EXPECT_EQ(stampOf("out/big.bin"), dosStamp(2012, 12, 12, 12, 12, 12));
  EXPECT_EQ(bf_.FilesCount(), 2);
}

// Only a volume that is not beside the archive is asked for, again while it stays missing; with nobody
// to ask (no handler, no window) the restore says which volume it lacks.
TEST_F(VolumeTest, AMissingVolumeIsAskedForAndCancelStops) {
  std::vector<quint16> disks;
  ASSERT_TRUE(backupInVolumes(disks));
  ASSERT_TRUE(QFile::rename(path("set.002"), path("away")));
  int asks = 0;
  bf_.OnNeedDisk = [&](quint16 disk, bool& cont) {
    if (++asks == 2) QFile::rename(path("away"), path("set.002"));
    cont = true;
  };
  ASSERT_TRUE(bf_.Restore(path("set.hol"), path("out")));
  EXPECT_EQ(asks, 2);
  EXPECT_EQ(read("out/big.bin"), big_);

  ASSERT_TRUE(QFile::rename(path("set.002"), path("away")));
  bf_.OnNeedDisk = [](quint16, bool& cont) { cont = false; };
  QFile::remove(path("out/tail.txt"));
  EXPECT_FALSE(bf_.Restore(path("set.hol"), path("out")));
  EXPECT_TRUE(errors_.empty());
  EXPECT_FALSE(exists("out/tail.txt"));

  bf_.OnNeedDisk = nullptr;
  EXPECT_THROW(bf_.Restore(path("set.hol"), path("out")), Error);  // the export names the volume
  QStringList questions;
  BackupFileDialogs::askOkCancel = [&](const QString& q) {
    questions << q;
    return QFile::rename(path("away"), path("set.002"));
  };
  ASSERT_TRUE(bf_.Restore(path("set.hol"), path("out")));
  EXPECT_EQ(questions, QStringList({"Please insert disk 2 and click OK to continue."}));
}

TEST_F(VolumeTest, TinyVolumeLimitStillEnds) {
  bf_.setMaxSize(100);
  int asks = 0;
  bf_.OnNeedDisk = [&](quint16, bool& cont) { cont = ++asks < 20; };
  ASSERT_TRUE(bf_.Backup({path("src/big.bin")}, path("tiny.hol")));
  EXPECT_EQ(asks, 6);  // the first volume holds no block, each later one a single block
  ASSERT_TRUE(bf_.Restore(path("tiny.hol"), path("out")));
  EXPECT_EQ(read("out/big.bin"), big_);
}

class ProgressTest : public ArchiveTest {
 protected:
  void SetUp() override {
    ArchiveTest::SetUp();
    QDir().mkpath(path("out"));
    for (const char* name : {"src/a.txt", "src/b.txt", "src/c.txt"}) write(name, textBytes(40000));
  }
};

TEST_F(ProgressTest, PercentagesRunFromZeroToHundred) {
  std::vector<std::pair<QString, int>> calls;
  bf_.OnProgress = [&](const QString& name, int percent, bool&) { calls.emplace_back(name, percent); };
  ASSERT_TRUE(bf_.Backup({path("src/*.txt")}, path("a.hol")));
  ASSERT_GE(calls.size(), 11u);  // start, 3 blocks per file, end
  EXPECT_EQ(calls.front(), std::make_pair(QString(), 0));
  EXPECT_EQ(calls.back(), std::make_pair(QString(), 100));
  for (size_t i = 1; i + 1 < calls.size(); ++i) {
    EXPECT_FALSE(calls[i].first.isEmpty());
    EXPECT_GE(calls[i].second, calls[i - 1].second);
  }
  EXPECT_EQ(calls[calls.size() - 2].second, 100);
  EXPECT_EQ(bf_.TotalSize(), 120000);
  EXPECT_EQ(bf_.BytesProcessed(), 120000);

  calls.clear();
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_EQ(calls[0].second, 100 * 16384 / 120000);
  EXPECT_EQ(calls[calls.size() - 2].second, 100);
  EXPECT_EQ(calls.back(), std::make_pair(QString(), 100));
}

TEST_F(ProgressTest, ContinueFalseStopsBackup) {
  int blocks = 0;
  bf_.OnProgress = [&](const QString& name, int, bool& cont) {
    if (!name.isEmpty() && ++blocks == 2) cont = false;
  };
  EXPECT_FALSE(bf_.Backup({path("src/*.txt")}, path("a.hol")));
  EXPECT_EQ(blocks, 2);
  EXPECT_FALSE(bf_.Continue());
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(bf_.FilesCount(), 0);
  const QByteArray bytes = read("a.hol");
  // Left as far as written: one entry with two blocks and its chunk end, no end of archive.
  EXPECT_EQ(bytes.right(4), le32(0));
  EXPECT_EQ(bytes.count(QByteArray("EC2\0", 4)), 1);
}

TEST_F(ProgressTest, ContinueSetFromOutsideStopsRestore) {
  ASSERT_TRUE(bf_.Backup({path("src/*.txt")}, path("a.hol")));
  bf_.OnProgress = [&](const QString& name, int, bool&) {
    if (!name.isEmpty()) bf_.setContinue(false);
  };
  int restored = 0;
  bf_.OnFileRestored = [&](QString&, QFile&) { ++restored; };
  EXPECT_FALSE(bf_.Restore(path("a.hol"), path("out")));
  EXPECT_TRUE(errors_.empty());
  // The file stopped half way is not left behind half written.
  EXPECT_EQ(restored, 0);
  EXPECT_TRUE(QDir(path("out")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// Handlers run between blocks, so they can call the component again while it works; such a call is
// turned away and leaves the running operation and its state as they were.
class ReentryTest : public ProgressTest {
 protected:
  void SetUp() override {
    ProgressTest::SetUp();
    ASSERT_TRUE(bf_.Backup({path("src/a.txt")}, path("ready.hol")));
    bf_.setReadStream(&stream_);
    bf_.setWriteStream(&stream_);
    bf_.OnProgress = [this](const QString& name, int, bool&) {
      if (name.isEmpty() || called_) return;
      called_ = true;
      const int errorCode = bf_.ErrorCode();
      inner_.push_back(bf_.Backup({path("src/a.txt")}, path("inner.hol")));
      inner_.push_back(bf_.Backup({path("src/a.txt")}, ":STREAM"));
      inner_.push_back(bf_.Restore(path("ready.hol"), path("inner")));
      inner_.push_back(bf_.Restore(":STREAM", path("inner")));
      busySeen_ = bf_.Busy();
      EXPECT_EQ(bf_.ErrorCode(), errorCode);
      EXPECT_TRUE(bf_.Continue());
    };
  }
  void expectTurnedAway() {
    EXPECT_EQ(inner_, std::vector<bool>(4, false));
    EXPECT_TRUE(busySeen_);
    EXPECT_FALSE(exists("inner.hol"));
    EXPECT_FALSE(exists("inner"));
    EXPECT_EQ(stream_.size(), 0);
    EXPECT_EQ(bf_.ReadStream(), &stream_);
    EXPECT_EQ(bf_.WriteStream(), &stream_);
    EXPECT_EQ(bf_.FilesCount(), 3);
    EXPECT_TRUE(errors_.empty());
    EXPECT_FALSE(bf_.Busy());
  }
  QBuffer stream_;
  bool called_ = false;
  bool busySeen_ = false;
  std::vector<bool> inner_;
  TBackupFile::ProgressEvent handler_;
};

TEST_F(ReentryTest, BackupFromAHandlerOfBackup) {
  ASSERT_TRUE(bf_.Backup({path("src/*.txt")}, path("a.hol")));
  expectTurnedAway();
  const Archive written = IndependentReader(read("a.hol")).read();
  ASSERT_EQ(written.entries.size(), 3u);
  for (const Entry& e : written.entries) EXPECT_EQ(e.data(), textBytes(40000));
}

TEST_F(ReentryTest, RestoreFromAHandlerOfRestore) {
  bf_.OnProgress.swap(handler_);
  ASSERT_TRUE(bf_.Backup({path("src/*.txt")}, path("a.hol")));
  bf_.OnProgress.swap(handler_);
  ASSERT_TRUE(bf_.Restore(path("a.hol"), path("out")));
  expectTurnedAway();
  for (const char* name : {"out/a.txt", "out/b.txt", "out/c.txt"})
    EXPECT_EQ(read(name), textBytes(40000)) << name;
}

}  // namespace
}  // namespace orvella::testing
