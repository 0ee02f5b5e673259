// The dialog seams: answers a test sets come first, then the real dialogs; the filter converter, the
// picture dialog's preview, the one error path and the archive's boxes.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

#include "platform/errors/error.h"
#include "theme/archive/backup_dialogs.h"
#include "ui/archive_messages.h"
#include "ui/dialog_seams.h"
#include "ui/file_filter.h"
#include "ui/guarded.h"
#include "ui/web_pages.h"
#include "tests/support/files.h"
#include "tests/support/message_boxes.h"
#include "tests/support/screenshots.h"

using namespace orvella;
using testing::writeFile;

namespace {

// Runs `act` on the modal dialog of type D once it is shown.
template <class D>
void whenShown(std::function<void(D&)> act) {
  QTimer::singleShot(0, [act] {
    if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()); dialog && dialog->isVisible())
      act(*dialog);
    else
      whenShown<D>(act);
  });
}

// The names a file dialog lists in its folder, once it has read the folder.
QStringList listed(QFileDialog& dialog) {
  QStringList names;
  const QListView* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
  if (!list || !list->model()) return names;
  const QModelIndex root = list->rootIndex();
  for (int row = 0; row < list->model()->rowCount(root); ++row)
    names << list->model()->index(row, 0, root).data().toString();
  names.sort();
  return names;
}

// Makes the named file the current one in a file dialog's list, as a click on it would.
void pick(QFileDialog& dialog, const QString& name) {
  QListView* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
  const QModelIndex root = list->rootIndex();
  for (int row = 0; row < list->model()->rowCount(root); ++row) {
    const QModelIndex index = list->model()->index(row, 0, root);
    if (index.data().toString() == name)
      list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  }
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::seams().reset(); }
  void cleanup() {
    ui::seams().reset();
    BackupFileDialogs::reset();
  }

  void answersComeInOrderThenTheRealDialogAppears() {
    auto& boxes = ui::seams().messageBoxes;
    boxes.setNextAnswer(QMessageBox::Yes);
    boxes.setNextAnswer(QMessageBox::No);
    ui::MessageBoxRequest question{QMessageBox::Question, QStringLiteral("Q"), QStringLiteral("Sure?"),
                                   QMessageBox::Yes | QMessageBox::No, QStringLiteral("sure")};
    QCOMPARE(ui::showMessageBox(question), QMessageBox::Yes);
    QCOMPARE(ui::showMessageBox(question), QMessageBox::No);
    QString shownText;
    whenShown<QMessageBox>([&](QMessageBox& box) {
      shownText = box.objectName() + QLatin1Char(':') + box.text();
      box.button(QMessageBox::No)->click();
    });
    QCOMPARE(ui::showMessageBox(question), QMessageBox::No);
    QCOMPARE(shownText, QStringLiteral("sure:Sure?"));
    QCOMPARE(boxes.requests().size(), 3);

    // The font dialog shows the font it was given; its colour is chosen from the named colours, one key
    // down from black is maroon, and OK gives both back.
    QFont font(QStringLiteral("DejaVu Sans"), 17);
    font.setItalic(true);
    auto& fonts = ui::seams().fontDialogs;
    fonts.setNextAnswer(std::nullopt);
    QVERIFY(!ui::chooseFont({QStringLiteral("fd_Fonts"), QString(), {font, Qt::red}}, nullptr));
    whenShown<QDialog>([](QDialog& dialog) {
      if (auto* colours = dialog.findChild<QComboBox*>(QStringLiteral("cb_FontColour"))) {
        colours->setFocus();
        QTest::keyClick(colours, Qt::Key_Down);
      }
      dialog.accept();
    });
    const auto chosen = ui::chooseFont({QStringLiteral("fd_Fonts"), QString(), {font, Qt::black}}, nullptr);
    QVERIFY(chosen);
    QCOMPARE(chosen->font.family(), QStringLiteral("DejaVu Sans"));
    QCOMPARE(chosen->font.pointSize(), 17);
    QVERIFY(chosen->font.italic());
    QCOMPARE(chosen->colour, QColor(128, 0, 0));

    // A file dialog a test does not answer is the real one, cancelled here by the user.
    QTemporaryDir folder;
    whenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    ui::FileDialogRequest open;
    open.objectName = QStringLiteral("od_Load");
    open.folder = folder.path();
    QVERIFY(ui::chooseFile(open, nullptr).isEmpty());
    QCOMPARE(ui::seams().fileDialogs.requests().size(), 1);

    // A user who wants nothing: every dialog cancelled, no browser at hand.
    ui::seams().cancelEverything();
    QCOMPARE(ui::showMessageBox(question), QMessageBox::No);
    QCOMPARE(ui::showMessageBox({QMessageBox::Information, {}, {}, QMessageBox::Ok, {}}), QMessageBox::Ok);
    QVERIFY(ui::chooseFile(open, nullptr).isEmpty());
    // Where no browser takes a page, the user is told its address.
    const QString page = QStringLiteral("https://orvella.example/pl/download.php");
    ui::guarded([&page] { ui::openWebPage(page); })();
    QCOMPARE(ui::seams().webPages.requests(), QStringList{page});
    QVERIFY(testing::messageBoxTexts(QMessageBox::Critical).constLast().contains(page));
  }

  void filtersListTheFilesTheirPatternsName() {
    QCOMPARE(ui::qtFileFilter(QStringLiteral("swieta_wlasne|*.hol")), QStringLiteral("swieta_wlasne (*.hol)"));
    QCOMPARE(ui::qtFileFilter(QStringLiteral("QuickReport file(*.QRP)|*.QRP")), QStringLiteral("QuickReport file(*.QRP)"));
    QTemporaryDir folder;
    for (const char* name : {"theme.hol", "OLD.HOL", "upper.QRP", "lower.qrp", "photo.jpg", "icon.ICO", "notes.txt"})
      writeFile(folder.filePath(QString::fromLatin1(name)));
    const struct {
      const char* filter;
      QStringList files;
    } cases[] = {
        {"user holidays (.hol)|*.hol", {"OLD.HOL", "theme.hol"}},
        {"QuickReport file (*.QRP)|*.QRP", {"lower.qrp", "upper.QRP"}},
        {"All (*.jpg;*.ico)|*.jpg;*.ico|Metafiles (*.wmf)|*.wmf", {"icon.ICO", "photo.jpg"}},
    };
    for (const auto& c : cases) {
      QFileDialog dialog;
      ui::FileDialogRequest request;
      request.folder = folder.path();
      request.filter = QString::fromUtf8(c.filter);
      ui::setUpFileDialog(dialog, request);
      dialog.show();
      QTRY_COMPARE(listed(dialog), c.files);
    }
  }

  void picturePaneShowsTheFileUnderTheCursor() {
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QStringLiteral(ORVELLA_SOURCE_DIR "/data/images/flower.wmf"), folder.filePath("flower.wmf")));
    writeFile(folder.filePath(QStringLiteral("broken.jpg")), "no picture at all");
    ui::PictureFileDialog dialog({QStringLiteral("opd_OpenPicture"), QString(), folder.path(),
                                  QStringLiteral("All (*.jpg;*.wmf)|*.jpg;*.wmf")});
    QLabel* pane = dialog.previewPane();
    QVERIFY(pane);
    QCOMPARE(pane->objectName(), QStringLiteral("PicturePreview"));
    dialog.show();
    QTRY_COMPARE(listed(dialog), QStringList({"broken.jpg", "flower.wmf"}));
    pick(dialog, QStringLiteral("flower.wmf"));
    QTRY_VERIFY(!pane->pixmap().isNull());
    // The flower's yellow middle is in the pane's middle.
    const QImage shown = pane->pixmap().toImage();
    const QColor middle = shown.pixelColor(shown.width() / 2, int(shown.height() * 0.47));
    QVERIFY2(middle.red() > 200 && middle.green() > 150 && middle.blue() < 120, qPrintable(middle.name()));
    testing::keepScreenshot(dialog, QStringLiteral("picture_dialog"));
    pick(dialog, QStringLiteral("broken.jpg"));
    QTRY_VERIFY(pane->pixmap().isNull());
  }

  void everyErrorEndsInOneCriticalBox() {
    ui::seams().cancelEverything();
    QStringList received;
    const auto takesArguments = ui::guarded([&](const QString& text, int n) { received << text.repeated(n); });
    takesArguments(QStringLiteral("ab"), 2);
    QCOMPARE(received, QStringList{QStringLiteral("abab")});

    ui::guarded([] { throw Error(QStringLiteral("Błąd odczytu pliku")); })();
    ui::guarded([] { throw std::runtime_error("runtime"); })();
    ui::guarded([] { throw std::bad_alloc(); })();
    ui::guarded([] { throw 42; })();
    QCOMPARE(testing::messageBoxTexts(), QStringList({"Błąd odczytu pliku", "runtime", "Za mało pamięci", "Nieznany błąd"}));
    for (const ui::MessageBoxRequest& box : ui::seams().messageBoxes.requests()) {
      QCOMPARE(box.icon, QMessageBox::Critical);
      QCOMPARE(box.title, QApplication::applicationDisplayName());
      QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
  }

  void archiveMessagesAreMessageBoxes() {
    ui::showArchiveMessagesInBoxes();
    auto& boxes = ui::seams().messageBoxes;
    boxes.setNextAnswer(QMessageBox::Ok);
    BackupFileDialogs::showError(QStringLiteral("Invalid archive type"));
    boxes.setNextAnswer(QMessageBox::Ok);
    QVERIFY(BackupFileDialogs::askOkCancel(QStringLiteral("Please insert disk 2 and click OK to continue.")));
    boxes.setNextAnswer(QMessageBox::Cancel);
    QVERIFY(!BackupFileDialogs::askOkCancel(QStringLiteral("Please insert disk 3 and click OK to continue.")));
    QCOMPARE(boxes.requests().size(), 3);
    QCOMPARE(boxes.requests()[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes.requests()[0].text, QStringLiteral("Invalid archive type"));
    QCOMPARE(boxes.requests()[1].buttons, QMessageBox::Ok | QMessageBox::Cancel);
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
