// The one error path of every window: a handler runs inside guarded(), and whatever it throws is shown
// by the general error handler in a message box while the program goes on.
#pragma once

#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

namespace orvella::ui {

// The general error handler's box: the critical icon, the program's name as caption, the text as it
// stands, an OK button; over the active window.
void showErrorMessage(const QString& message);
// Shows what the exception says: the program's own Error by its message, other exceptions by their
// text, anything else as an unknown error.
void reportException(std::exception_ptr error);

// Wraps a handler for a signal connection or an event: errors it raises end here instead of unwinding
// through Qt's own code. The handler may take the signal's arguments or none.
template <class Handler>
auto guarded(Handler handler) {
  return [handler = std::move(handler)](auto&&... args) {
    try {
      if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>)
        handler(std::forward<decltype(args)>(args)...);
      else
        handler();
    } catch (...) {
      reportException(std::current_exception());
    }
  };
}

}  // namespace orvella::ui
