// Saves what the X display shows as a PNG: grab_screen <file.png>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2 || !app.primaryScreen() || !app.primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "grab_screen: cannot save the screen to %s\n", argc > 1 ? argv[1] : "(no file given)");
    return 1;
  }
  return 0;
}
