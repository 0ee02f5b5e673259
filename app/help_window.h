// The help window: the pages of the user guide that comes with the program, in Qt's text browser, with
// back, forward and the contents; no web browser needed.
#pragma once

#include <QMainWindow>
#include <QString>

#include "platform/errors/message_texts.h"

class QAction;
class QTextBrowser;
class QToolBar;
class QUrl;

namespace orvella {

// A page of the guide that is not there, its file for %s.
inline constexpr MessageText msg_GuidePageMissing{"msg_GuidePageMissing",
                                                  "Nie można otworzyć strony podręcznika %s: nie ma takiego pliku."};

class Tf_Help : public QMainWindow {
  Q_OBJECT
 public:
  explicit Tf_Help(QWidget* parent = nullptr);

  // Opens the guide whose contents page is `contents`: at that page, or, when the window shows a page
  // already, at the same page of this guide (the guide of another language). Raises Error
  // msg_GuidePageMissing when the page is not there; the window then shows what it showed.
  void showGuide(const QString& contents);
  // The file shown, empty before the first page.
  QString shownPage() const;

  QToolBar* ToolBar1 = nullptr;
  QAction* a_Back = nullptr;
  QAction* a_Forward = nullptr;
  QAction* a_Contents = nullptr;
  QTextBrowser* tb_Guide = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // A page of the guide, by its address; Error when its file is not there.
  void showPage(const QUrl& address);
  // A link of a page: a page of the guide here, anything else (the web, mail) as the desktop opens it.
  void followLink(const QUrl& link);

  QString contents_;
};

}  // namespace orvella
