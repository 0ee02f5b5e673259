// The files of one output, written without a name of their own until all of them are complete.
#pragma once

#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <vector>

namespace orvella::sinks {

// One file of an output: what is written to it goes to an unnamed temporary file in its target's
// folder, so a program that is killed leaves nothing behind. A write that does not take all of its
// bytes (a full disk takes what still fits and says nothing) is remembered with its reason, and every
// write after it fails.
class OutputFile final : public QIODevice {
 public:
  // Raises Error "Unable to write to TARGET: reason" when the file cannot be made.
  explicit OutputFile(const QString& target);
  const QString& target() const { return target_; }

  // Raises the same when any write so far has failed.
  void check() const;
  // Everything written reaches the temporary file, or this raises the same.
  void flush();
  // The file takes its target's place.
  void commit();

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 size) override;

 private:
  QString target_;
  QSaveFile file_;
  QString failure_;
};

// The files of an output: the targets take their new contents together at commit(), and keep what
// they held when anything failed before.
class OutputFiles {
 public:
  // Only a new file or a regular one is replaced: a device, a pipe or a folder under the name, or
  // behind a link of that name, is refused with "Unable to write to".
  static void checkTarget(const QString& target);

  OutputFile& open(const QString& target);
  // Writes all of the bytes, or raises "Unable to write to TARGET: reason".
  static void write(OutputFile& file, const QByteArray& bytes);
  // Flushes and checks every file, then puts each in its target's place.
  void commit();

 private:
  std::vector<std::unique_ptr<OutputFile>> files_;
};

}  // namespace orvella::sinks
