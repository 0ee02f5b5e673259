// Message boxes for errors that reach the application.
#include "app/error_handler.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/errors/error.h"

namespace orvella {

namespace {
std::function<void(const QString&)>& presenter() {
  static std::function<void(const QString&)> instance;
  return instance;
}
}  // namespace

void setErrorPresenter(std::function<void(const QString&)> newPresenter) {
  presenter() = std::move(newPresenter);
}

void showErrorMessage(const QString& message) {
  if (presenter()) {
    presenter()(message);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
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

}  // namespace orvella
