// What a PDF file holds, as a person checking a printout would look: its pages' sizes and its text.
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QString>

#include "tests/support/files.h"

namespace orvella::testing {

// The number of pages of a PDF file as the program writes them (objects not in streams); 0 when there
// is no file.
inline int pdfPageCount(const QString& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
  return int(QString::fromLatin1(readFile(pdf)).count(page));
}

// The size in points of every page, in order, from the pages' media boxes.
inline QList<QSizeF> pdfPageSizes(const QByteArray& pdf) {
  static const QRegularExpression box(
      QStringLiteral(R"(/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s*\])"));
  QList<QSizeF> sizes;
  for (auto it = box.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    sizes << QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                    m.captured(4).toDouble() - m.captured(2).toDouble());
  }
  return sizes;
}

inline bool havePdfText() { return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(); }

// The text of the file as poppler's pdftotext reads it, pages apart by form feeds; empty without it.
inline QString pdfText(const QString& path) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  if (tool.isEmpty()) return {};
  QProcess process;
  process.start(tool, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
  process.waitForFinished(60000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace orvella::testing
