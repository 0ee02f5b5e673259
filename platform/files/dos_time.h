// File times as packed DOS date-times in local time: bits 31-25 year - 1980, 24-21 month, 20-16 day,
// 15-11 hours, 10-5 minutes, 4-0 seconds / 2.
#pragma once

#include <QDateTime>
#include <QString>

class QFileDevice;

namespace orvella::files {

// -1 for a time outside 1980..2107 or an invalid one.
qint32 packDosDateTime(const QDateTime& time);
// An invalid QDateTime when a field is out of range (month 13, 30 for the seconds, ...).
QDateTime unpackDosDateTime(qint32 packed);

// The last-write time of a file in local time, packed; -1 when it cannot be read.
qint32 fileDosTime(const QString& path);
// Sets the last-write time of a file (not following a symbolic link); false when the value is not a
// valid date-time or the file system refuses.
bool setFileDosTime(const QString& path, qint32 packed);
// The same for an open file, after writing out what is buffered, so that closing keeps the time.
bool setFileDosTime(QFileDevice& file, qint32 packed);

}  // namespace orvella::files
