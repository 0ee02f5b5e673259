// Packed DOS date-times of files.
#include "platform/files/dos_time.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>

namespace orvella::files {

namespace {

bool toTimespec(qint32 packed, timespec times[2]) {
  const QDateTime time = unpackDosDateTime(packed);
  if (!time.isValid()) return false;
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = static_cast<time_t>(time.toSecsSinceEpoch());
  times[1].tv_nsec = 0;
  return true;
}

}  // namespace

qint32 packDosDateTime(const QDateTime& time) {
  if (!time.isValid()) return -1;
  const QDateTime local = time.toLocalTime();
  const QDate d = local.date();
  const QTime t = local.time();
  if (d.year() < 1980 || d.year() > 2107) return -1;
  const quint32 packed = (quint32(d.year() - 1980) << 25) | (quint32(d.month()) << 21) |
                         (quint32(d.day()) << 16) | (quint32(t.hour()) << 11) | (quint32(t.minute()) << 5) |
                         quint32(t.second() / 2);
  return static_cast<qint32>(packed);
}

QDateTime unpackDosDateTime(qint32 packed) {
  const quint32 v = static_cast<quint32>(packed);
  const QDate date(int((v >> 25) & 0x7F) + 1980, int((v >> 21) & 0x0F), int((v >> 16) & 0x1F));
  const QTime time(int((v >> 11) & 0x1F), int((v >> 5) & 0x3F), int(v & 0x1F) * 2);
  if (!date.isValid() || !time.isValid()) return {};
  return QDateTime(date, time, Qt::LocalTime);
}

qint32 fileDosTime(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return -1;
  return packDosDateTime(info.lastModified());
}

bool setFileDosTime(const QString& path, qint32 packed) {
  timespec times[2];
  if (!toTimespec(packed, times)) return false;
  return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

bool setFileDosTime(QFileDevice& file, qint32 packed) {
  timespec times[2];
  if (!toTimespec(packed, times) || !file.isOpen()) return false;
  file.flush();
  return ::futimens(file.handle(), times) == 0;
}

}  // namespace orvella::files
