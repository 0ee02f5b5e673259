// The archive attribute kept in an extended attribute.
#include "platform/files/archive_attribute.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <QByteArray>
#include <QFile>

namespace orvella::files {

namespace {

bool modificationTime(const QByteArray& name, qint64& nanoseconds) {
  struct stat st;
  if (::stat(name.constData(), &st) != 0) return false;
  nanoseconds = qint64(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return true;
}

}  // namespace

bool archiveAttribute(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  char value[64];
  const ssize_t size = ::getxattr(name.constData(), kArchiveAttributeName, value, sizeof value - 1);
  if (size <= 0) return true;
  value[size] = 0;
  if (value[0] != '0') return true;
  qint64 now = 0;
  if (!modificationTime(name, now)) return true;
  bool ok = false;
  const qint64 cleared = QByteArray(value + 1).trimmed().toLongLong(&ok);
  return !ok || cleared != now;
}

bool setArchiveAttribute(const QString& path, bool set) {
  const QByteArray name = QFile::encodeName(path);
  QByteArray value("1");
  if (!set) {
    qint64 now = 0;
    if (!modificationTime(name, now)) return false;
    value = "0 " + QByteArray::number(now);
  }
  return ::setxattr(name.constData(), kArchiveAttributeName, value.constData(), size_t(value.size()), 0) == 0;
}

}  // namespace orvella::files
