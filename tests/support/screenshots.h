// Pictures of what a user sees, kept for a person to look at when ORVELLA_SCREENSHOTS names a folder.
#pragma once

#include <QDir>
#include <QScreen>
#include <QString>
#include <QWidget>

namespace orvella::testing {

// Where a picture of that name goes; empty when no pictures are asked for.
inline QString screenshotPath(const QString& name) {
  const QString folder = qEnvironmentVariable("ORVELLA_SCREENSHOTS");
  return folder.isEmpty() ? QString() : QDir(folder).filePath(name + QStringLiteral(".png"));
}

// The widget as it draws itself.
inline void keepScreenshot(QWidget& widget, const QString& name) {
  if (const QString path = screenshotPath(name); !path.isEmpty()) widget.grab().save(path);
}

// The whole screen the window is on, window manager's frames included.
inline void keepScreenOf(const QWidget& window, const QString& name) {
  if (const QString path = screenshotPath(name); !path.isEmpty() && window.screen())
    window.screen()->grabWindow(0).save(path);
}

}  // namespace orvella::testing
