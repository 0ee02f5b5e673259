// Program entry: the three windows in their order, then the message loop until the main window closes.
// With --export the months are composed without any window.
#include <QDir>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "app/export/export_command.h"
#include "app/main_window.h"
#include "app/program_windows.h"
#include "platform/errors/error.h"
#include "theme/archive/backup_dialogs.h"

#include <QMessageBox>

namespace {

QString programDirOf(const char* argv0) {
  // The program file's folder, known before any application object exists.
  return QFileInfo(QString::fromLocal8Bit(argv0)).absoluteDir().canonicalPath();
}

bool hasDisplay() { return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"); }

int runExport(int argc, char** argv, const orvella::ExportRequest& request) {
  if (!hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  try {
    orvella::runExport(request, QCoreApplication::applicationDirPath());
  } catch (const orvella::Error& e) {
    std::fprintf(stderr, "orvella: %s\n", e.message().toLocal8Bit().constData());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "orvella: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  std::optional<orvella::ExportRequest> exportRequest;
  try {
    exportRequest = orvella::parseExportRequest(arguments, QDate::currentDate().year() + 1);
  } catch (const orvella::Error& e) {
    std::fprintf(stderr, "orvella: %s\n", e.message().toLocal8Bit().constData());
    return 2;
  }
  if (exportRequest) return runExport(argc, argv, *exportRequest);

  orvella::Application app(argc, argv);
  orvella::BackupFileDialogs::showError = [](const QString& message) {
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
  };
  orvella::BackupFileDialogs::askOkCancel = [](const QString& message) {
    return QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(), message,
                                    QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };

  orvella::ProgramContext context;
  context.programDir = QCoreApplication::applicationDirPath();
  orvella::ProgramWindows windows = orvella::createProgramWindows(context);
  windows.main->show();
  if (arguments.contains(QStringLiteral("--quit-when-shown")))
    QTimer::singleShot(0, &app, [&windows] { windows.main->close(); });
  return app.exec();
}
