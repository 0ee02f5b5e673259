// The help window and its links.
#include "app/help_window.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "i18n/language/guide_pages.h"
#include "platform/errors/error.h"
#include "ui/guarded.h"
#include "ui/web_pages.h"

namespace orvella {

Tf_Help::Tf_Help(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("f_Help"));
  setWindowTitle(QStringLiteral("Podręcznik programu Orvella"));
  resize(860, 680);

  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  auto action = [this](const char* name, QStyle::StandardPixmap icon, const char* caption, const char* hint,
                       const QKeySequence& key) {
    QAction* a = ToolBar1->addAction(style()->standardIcon(icon), QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(QString::fromUtf8(hint));
    a->setShortcut(key);
    return a;
  };
  a_Back = action("a_Back", QStyle::SP_ArrowBack, "Wstecz", "Wraca do poprzedniej strony", QKeySequence::Back);
  a_Forward = action("a_Forward", QStyle::SP_ArrowForward, "Dalej", "Przechodzi do strony, z której wrócono",
                     QKeySequence::Forward);
  a_Contents = action("a_Contents", QStyle::SP_DirHomeIcon, "Spis treści", "Spis treści podręcznika",
                      QKeySequence(Qt::ALT | Qt::Key_Home));

  tb_Guide = new QTextBrowser(this);
  tb_Guide->setObjectName(QStringLiteral("tb_Guide"));
  // Every link passes followLink: a page missing from the guide, or a web page nothing opens, is said.
  tb_Guide->setOpenLinks(false);
  setCentralWidget(tb_Guide);

  a_Back->setEnabled(false);
  a_Forward->setEnabled(false);
  connect(tb_Guide, &QTextBrowser::backwardAvailable, a_Back, &QAction::setEnabled);
  connect(tb_Guide, &QTextBrowser::forwardAvailable, a_Forward, &QAction::setEnabled);
  connect(a_Back, &QAction::triggered, tb_Guide, &QTextBrowser::backward);
  connect(a_Forward, &QAction::triggered, tb_Guide, &QTextBrowser::forward);
  connect(a_Contents, &QAction::triggered, this, ui::guarded([this] { showPage(QUrl::fromLocalFile(contents_)); }));
  connect(tb_Guide, &QTextBrowser::anchorClicked, this, ui::guarded([this](const QUrl& link) { followLink(link); }));
}

void Tf_Help::showGuide(const QString& contents) {
  // Qt's text browser does not follow a page's stylesheet link: the guide's one stylesheet, beside the
  // languages' folders, is made the default of every page.
  QFile css(QFileInfo(contents).absolutePath() + QStringLiteral("/../guide.css"));
  if (css.open(QIODevice::ReadOnly)) tb_Guide->document()->setDefaultStyleSheet(QString::fromUtf8(css.readAll()));
  const QString page = shownPage().isEmpty() ? contents : language::samePageIn(shownPage(), contents);
  showPage(QUrl::fromLocalFile(page));
  contents_ = contents;
}

QString Tf_Help::shownPage() const { return tb_Guide->source().toLocalFile(); }

void Tf_Help::showPage(const QUrl& address) {
  const QString file = address.toLocalFile();
  if (!QFileInfo(file).isFile()) throw Error(formatMessage(messageText(msg_GuidePageMissing), file));
  tb_Guide->setSource(address);
}

void Tf_Help::followLink(const QUrl& link) {
  const QUrl address = tb_Guide->source().resolved(link);
  if (address.isLocalFile())
    showPage(address);
  else
    ui::openWebPage(address.toString());
}

void Tf_Help::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace orvella
