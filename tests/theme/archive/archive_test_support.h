// Helpers of the archive tests: a scratch folder, and a reader and writer of the archive bytes of their
// own (little-endian fields, zlib's compress2 and uncompress), independent of the component.
#pragma once

#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <limits>
#include <optional>
#include <vector>

#include "theme/archive/backup_dialogs.h"
#include "theme/archive/backup_file.h"

namespace orvella::testing {

inline qint32 dosStamp(int y, int mo, int d, int h, int mi, int s) {
  return qint32((quint32(y - 1980) << 25) | (quint32(mo) << 21) | (quint32(d) << 16) | (quint32(h) << 11) |
                (quint32(mi) << 5) | quint32(s / 2));
}

inline QByteArray le32(qint32 v) {
  QByteArray b(4, 0);
  qToLittleEndian(v, b.data());
  return b;
}

inline QByteArray randomBytes(qsizetype size, quint32 seed) {
  QRandomGenerator gen(seed);
  QByteArray b(size, Qt::Uninitialized);
  for (qsizetype i = 0; i < size; ++i) b[i] = char(gen.generate() & 0xFF);
  return b;
}

inline QByteArray textBytes(qsizetype size) {
  static const char* words[] = {"Nowy Rok ", "Trzech Kroli ", "Wielkanoc ", "Boze Cialo ", "Wigilia\r\n"};
  QByteArray b;
  for (int i = 0; b.size() < size; ++i) b += words[(i * 7 + i / 3) % 5];
  b.truncate(size);
  return b;
}

struct Block {
  qint32 length;     // as stored
  QByteArray bytes;  // the file bytes it stands for
};

struct Entry {
  QByteArray name;
  qint32 stamp = 0;
  std::vector<Block> blocks;
  QByteArray data() const {
    QByteArray d;
    for (const Block& b : blocks) d += b.bytes;
    return d;
  }
};

struct Archive {
  QByteArray title;
  qint32 totalSize = 0;
  qint32 fileCount = 0;
  std::vector<Entry> entries;
  QByteArray volumeRecord;  // "NEXT:DISK..." when the volume ends in one
};

// Reads one volume's bytes; a continuation volume starts with a chunk and has no header. Fails the test
// on anything that does not follow the format.
class IndependentReader {
 public:
  explicit IndependentReader(QByteArray bytes) : bytes_(std::move(bytes)) {}

  Archive read(bool withHeader = true) {
    Archive a;
    if (withHeader) {
      const qint32 t = int32();
      a.title = take(t);
      a.totalSize = int32();
      a.fileCount = int32();
    } else {
      Entry continued;
      chunk(continued);
      a.entries.push_back(continued);
    }
    for (;;) {
      const qint32 n = int32();
      if (n == 0) break;
      EXPECT_GT(n, 0);
      Entry e;
      e.name = take(n);
      if (e.name.startsWith("NEXT:DISK")) {
        EXPECT_EQ(n, 12);
        a.volumeRecord = e.name;
        EXPECT_EQ(pos_, bytes_.size()) << "a volume ends at its record";
        return a;
      }
      e.stamp = int32();
      chunk(e);
      a.entries.push_back(e);
    }
    EXPECT_EQ(pos_, bytes_.size()) << "nothing after the end of the archive";
    return a;
  }

 private:
  qint32 int32() {
    const QByteArray b = take(4);
    return b.size() == 4 ? qFromLittleEndian<qint32>(b.constData()) : 0;
  }
  QByteArray take(qint64 n) {
    if (n < 0 || pos_ + n > bytes_.size()) {
      ADD_FAILURE() << "read past the end at " << pos_;
      pos_ = bytes_.size();
      return {};
    }
    QByteArray b = bytes_.mid(pos_, n);
    pos_ += n;
    return b;
  }
  void chunk(Entry& e) {
    EXPECT_EQ(take(4), QByteArray("EC2\0", 4));
    for (;;) {
      const qint32 l = int32();
      if (l == 0 || pos_ >= bytes_.size()) return;
      Block b{l, {}};
      if (l < 0) {
        EXPECT_LE(-l, 16384);
        b.bytes = take(-l);
      } else {
        const QByteArray z = take(l);
        QByteArray out(16384, 0);
        uLongf outLen = 16384;
        EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &outLen,
                             reinterpret_cast<const Bytef*>(z.constData()), uLong(z.size())),
                  Z_OK);
        EXPECT_GE(outLen, 1u);
        out.truncate(qsizetype(outLen));
        b.bytes = out;
      }
      e.blocks.push_back(b);
    }
  }
  QByteArray bytes_;
  qint64 pos_ = 0;
};

// Writes archives the way the format describes them, with zlib's one-call compress2.
class IndependentWriter {
 public:
  // A header whose total is the size of the data that the entries written after it hold.
  static constexpr qint32 kTrueTotal = std::numeric_limits<qint32>::min();

  IndependentWriter& header(qint32 total, qint32 count, const QByteArray& title = {}) {
    bytes_ += le32(qint32(title.size())) + title;
    if (total == kTrueTotal) totalAt_ = bytes_.size();
    bytes_ += le32(total) + le32(count);
    return *this;
  }
  // An entry with its data cut into blocks of blockSize; raw blocks when raw is set.
  IndependentWriter& entry(const QByteArray& name, qint32 stamp, const QByteArray& data, bool raw = false,
                           int blockSize = 16384) {
    bytes_ += le32(qint32(name.size())) + name + le32(stamp);
    return chunk(data, raw, blockSize);
  }
  IndependentWriter& chunk(const QByteArray& data, bool raw = false, int blockSize = 16384) {
    dataSize_ += data.size();
    bytes_ += QByteArray("EC2\0", 4);
    for (qsizetype at = 0; at < data.size(); at += blockSize) {
      const QByteArray part = data.mid(at, blockSize);
      if (raw) {
        bytes_ += le32(-qint32(part.size())) + part;
      } else {
        QByteArray z(int(compressBound(uLong(part.size()))), 0);
        uLongf zLen = uLongf(z.size());
        compress2(reinterpret_cast<Bytef*>(z.data()), &zLen, reinterpret_cast<const Bytef*>(part.constData()),
                  uLong(part.size()), 6);
        z.truncate(qsizetype(zLen));
        bytes_ += le32(qint32(z.size())) + z;
      }
    }
    bytes_ += le32(0);
    return *this;
  }
  IndependentWriter& raw(const QByteArray& b) {
    bytes_ += b;
    return *this;
  }
  IndependentWriter& end() { return raw(le32(0)); }
  QByteArray bytes() const {
    QByteArray b = bytes_;
    if (totalAt_ >= 0) b.replace(totalAt_, 4, le32(qint32(dataSize_)));
    return b;
  }

 private:
  QByteArray bytes_;
  qsizetype totalAt_ = -1;
  qint64 dataSize_ = 0;
};

// A scratch folder, files in it, and a component with observable errors.
class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path();
    BackupFileDialogs::reset();
    bf_.OnError = [this](int code, const QString& message) {
      errors_.push_back(code);
      messages_ << message;
    };
  }
  void TearDown() override { BackupFileDialogs::reset(); }

  QString path(const QString& name) const { return root_ + "/" + name; }
  void write(const QString& name, const QByteArray& data, qint32 stamp = 0) {
    QDir().mkpath(QFileInfo(path(name)).path());
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << name.toStdString();
    f.write(data);
    f.close();
    if (stamp) setStamp(name, stamp);
  }
  // Sets a file time without the code under test.
  void setStamp(const QString& name, qint32 stamp) {
    const quint32 v = quint32(stamp);
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime(QDate(int(v >> 25) + 1980, int((v >> 21) & 15), int((v >> 16) & 31)),
                                        QTime(int((v >> 11) & 31), int((v >> 5) & 63), int(v & 31) * 2)),
                              QFileDevice::FileModificationTime));
  }
  QByteArray read(const QString& name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  bool exists(const QString& name) const { return QFileInfo::exists(path(name)); }
  qint32 stampOf(const QString& name) const {
    const QDateTime t = QFileInfo(path(name)).lastModified();
    return dosStamp(t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(),
                    t.time().second());
  }
  // The stored name of a file of the scratch folder.
  QByteArray storedName(const QString& name) const { return path(name).toLower().toUtf8(); }

  QTemporaryDir dir_;
  QString root_;
  TBackupFile bf_;
  std::vector<int> errors_;
  QStringList messages_;
};

}  // namespace orvella::testing
