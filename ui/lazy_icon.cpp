// Icons made on first use, through an icon engine of their own.
#include "ui/lazy_icon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace orvella::ui {

namespace {

class LazyIconEngine final : public QIconEngine {
 public:
  LazyIconEngine(std::function<QPixmap(int)> make, QList<int> sides)
      : make_(std::move(make)), sides_(std::move(sides)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    const int side = std::max(1, std::min(size.width(), size.height()));
    QPixmap& made = made_[key(side, mode)];
    if (made.isNull()) {
      if (mode == QIcon::Normal || mode == QIcon::Active) {
        made = make_(side);
      } else {
        // The style's own disabled or selected look, as for any icon of pictures.
        made = QIcon(pixmap(size, QIcon::Normal, state)).pixmap(QSize(side, side), mode, state);
      }
    }
    return made;
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    painter->drawPixmap(rect, pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state));
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int side : sides_) sizes << QSize(side, side);
    return sizes;
  }

  QString key() const override { return QStringLiteral("orvella-lazy"); }
  QIconEngine* clone() const override { return new LazyIconEngine(make_, sides_); }

 private:
  static qint64 key(int side, QIcon::Mode mode) { return qint64(side) * 8 + int(mode); }

  std::function<QPixmap(int)> make_;
  QList<int> sides_;
  QHash<qint64, QPixmap> made_;
};

}  // namespace

QIcon lazyIcon(std::function<QPixmap(int side)> make, QList<int> sides) {
  return QIcon(new LazyIconEngine(std::move(make), std::move(sides)));
}

QIcon lazyFileIcon(const QString& pattern, QList<int> sides) {
  std::sort(sides.begin(), sides.end());
  return lazyIcon(
      [pattern, sides](int side) {
        const auto larger = std::lower_bound(sides.cbegin(), sides.cend(), side);
        const int file = larger == sides.cend() ? sides.back() : *larger;
        const QPixmap read(pattern.arg(file));
        if (read.isNull() || file == side) return read;
        return read.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
      },
      sides);
}

}  // namespace orvella::ui
