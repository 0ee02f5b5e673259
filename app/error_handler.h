// The general error handler: an error no handler caught is shown in a message box and the program goes on.
#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <utility>

namespace orvella {

void showErrorMessage(const QString& message);
// Tests replace the message box; an empty presenter restores it.
void setErrorPresenter(std::function<void(const QString&)> presenter);
// Shows what the exception says.
void reportException(std::exception_ptr error);

// Wraps an event handler so that an error it raises reaches the general error handler instead of
// unwinding through Qt's own code.
template <class Handler>
auto guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&... args) {
    try {
      handler(std::forward<decltype(args)>(args)...);
    } catch (...) {
      reportException(std::current_exception());
    }
  };
}

}  // namespace orvella
