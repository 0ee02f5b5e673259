// A bare Qt window that quits as soon as it is shown: the floor of the start-up benchmark.
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(279, 425);
  window.show();
  QTimer::singleShot(0, &app, &QApplication::quit);
  return app.exec();
}
