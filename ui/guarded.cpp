// The general error handler.
#include "ui/guarded.h"

#include <QApplication>
#include <new>

#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"
#include "ui/message_boxes.h"

namespace orvella::ui {

namespace {
constexpr MessageText msg_OutOfMemory{"msg_OutOfMemory", "Za mało pamięci"};
constexpr MessageText msg_UnknownError{"msg_UnknownError", "Nieznany błąd"};
}  // namespace

void showErrorMessage(const QString& message) {
  MessageBoxRequest box;
  box.icon = QMessageBox::Critical;
  box.title = QApplication::applicationDisplayName();
  box.text = message;
  box.objectName = QStringLiteral("errorBox");
  showMessageBox(box, QApplication::activeWindow());
}

void reportException(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Error& e) {
    showErrorMessage(e.message());
  } catch (const std::bad_alloc&) {
    showErrorMessage(messageText(msg_OutOfMemory));
  } catch (const std::exception& e) {
    showErrorMessage(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    showErrorMessage(messageText(msg_UnknownError));
  }
}

}  // namespace orvella::ui
