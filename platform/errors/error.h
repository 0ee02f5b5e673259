// The program's own error: a message text that the general error handler shows as it stands.
#pragma once

#include <QString>
#include <QByteArray>
#include <exception>

namespace orvella {

class Error : public std::exception {
 public:
  explicit Error(QString message);
  const QString& message() const noexcept { return message_; }
  const char* what() const noexcept override { return utf8_.constData(); }

 private:
  QString message_;
  QByteArray utf8_;
};

// Replaces the first "%s" of a message pattern, as the program's message texts are written.
QString formatMessage(const QString& pattern, const QString& argument);

// The standard messages that several subsystems raise.
namespace messages {
inline constexpr const char* kNotAnInteger = "'%s' is not a valid integer value";
inline constexpr const char* kUnableToWrite = "Unable to write to %s";
inline constexpr const char* kInvalidDate = "Invalid argument to date encode";
}  // namespace messages

// Error kUnableToWrite naming the file.
Error unableToWrite(const QString& path);
// The same with what went wrong: "Unable to write to FILE: No space left on device".
Error unableToWrite(const QString& path, const QString& reason);

}  // namespace orvella
