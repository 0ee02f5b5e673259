// Reading a settings file's bytes with O_NONBLOCK, so that a pipe under its name cannot stop the program.
#include "platform/settings/settings_file_bytes.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>

namespace orvella {

SettingsFileBytes readSettingsFileBytes(const QString& path) {
  SettingsFileBytes read;
  if (path.isEmpty()) return read;
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT && errno != ENOTDIR) {
      read.state = SettingsFileBytes::Unreadable;
      read.reason = QString::fromLocal8Bit(::strerror(errno));
    }
    return read;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    read.state = SettingsFileBytes::NotRegular;
  } else if (st.st_size > kMaxSettingsFileBytes) {
    read.state = SettingsFileBytes::TooLarge;
  } else {
    read.state = SettingsFileBytes::Read;
    // Room for the file as it stands and one byte more, which tells a file that grew meanwhile; the
    // room grows with it, up to one byte past the limit.
    const qsizetype ceiling = qsizetype(kMaxSettingsFileBytes) + 1;
    read.bytes.resize(std::min<qsizetype>(qsizetype(st.st_size) + 1, ceiling));
    qsizetype got = 0;
    while (got < ceiling) {
      if (got == read.bytes.size()) read.bytes.resize(std::min<qsizetype>(got * 2, ceiling));
      const ssize_t n = ::read(fd, read.bytes.data() + got, size_t(read.bytes.size() - got));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        read.state = SettingsFileBytes::Unreadable;
        read.reason = QString::fromLocal8Bit(::strerror(errno));
        break;
      }
      if (n == 0) break;
      got += n;
    }
    if (got > kMaxSettingsFileBytes) read.state = SettingsFileBytes::TooLarge;
    read.bytes.resize(read.state == SettingsFileBytes::Read ? got : 0);
  }
  ::close(fd);
  return read;
}

Error SettingsFileBytes::error(const QString& path) const {
  switch (state) {
    case TooLarge:
      return Error(messageText(msg_FileTooLarge).arg(path, QString::number(kMaxSettingsFileBytes >> 20)));
    case NotRegular:
      return Error(messageText(msg_NotARegularFile).arg(path));
    default:
      return Error(messageText(msg_CannotOpenFile).arg(path, reason));
  }
}

}  // namespace orvella
