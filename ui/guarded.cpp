// The general error handler.
#include "ui/guarded.h"

#include <QApplication>
#include <new>

#include "platform/errors/error.h"
#include "ui/message_boxes.h"

namespace orvella::ui {

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
    showErrorMessage(QStringLiteral("Out of memory"));
  } catch (const std::exception& e) {
    showErrorMessage(QString::fromLocal8Bit(e.what()));
  } catch (...) {
    showErrorMessage(QStringLiteral("Unknown error"));
  }
}

}  // namespace orvella::ui
