// The picture dialog: a file dialog with a preview pane of the picture under the cursor, behind the
// picture-dialog seam.
#pragma once

#include <QFileDialog>
#include <QString>

class QLabel;

namespace orvella::ui {

struct PictureDialogRequest {
  QString objectName;  // "opd_OpenPicture", "opd_OpenPictureBG"
  QString title;       // empty: the platform's
  QString folder;      // where the dialog starts
  QString filter;      // Windows form: "description|*.ext;*.ext2|..."
};

// Shows the dialog (or takes the answer a test set) and returns the chosen picture file, empty when
// the user cancelled.
QString choosePicture(const PictureDialogRequest& request, QWidget* parent);

// The real dialog: an open dialog for existing files with a pane "PicturePreview" beside the file
// list that shows the current file as the program draws it (metafiles too), kept in proportion.
class PictureFileDialog : public QFileDialog {
  Q_OBJECT

 public:
  PictureFileDialog(const PictureDialogRequest& request, QWidget* parent = nullptr);
  // nullptr when Qt's dialog had no room for it (its inner layout is not the one it has had for years).
  QLabel* previewPane() const { return pane_; }

 private:
  void showPreview(const QString& path);

  QLabel* pane_ = nullptr;
};

}  // namespace orvella::ui
