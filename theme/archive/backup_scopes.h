// Marks the component busy for one operation and closes its archive file however the operation ends.
#pragma once

namespace orvella {

class TBackupFile;

class BusyScope {
 public:
  explicit BusyScope(TBackupFile& file);
  ~BusyScope();
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  TBackupFile& file_;
};

}  // namespace orvella
