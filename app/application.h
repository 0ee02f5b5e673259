// The application object: catches errors in event dispatch and hands them to the general error handler.
#pragma once

#include <QApplication>

namespace orvella {

class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace orvella
