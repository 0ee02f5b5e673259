// The application that fuzz targets drawing text or pictures need, on the offscreen platform, which
// needs no display. Made once, in LLVMFuzzerInitialize.
#pragma once

#include <QGuiApplication>
#include <cstdlib>

inline void startOffscreenApplication(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QGuiApplication* app = new QGuiApplication(*argc, *argv);
  (void)app;
}
