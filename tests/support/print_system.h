// The private print system that tests/support/with_print_system.sh runs a test under: its queue, the
// CUPS commands that change the queue's state, its jobs and the PDFs they arrive as.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <optional>

namespace orvella::testing::print_system {

// Empty when the test runs under the private print system; otherwise why not, for the skip message
// (the words "no private print system" make CTest count the test as skipped).
inline QString missing() {
  if (!qEnvironmentVariableIsEmpty("ORVELLA_TEST_QUEUE")) return {};
  const QString why = qEnvironmentVariable("ORVELLA_PRINT_SYSTEM_MISSING");
  return QStringLiteral("no private print system: ") +
         (why.isEmpty() ? QStringLiteral("the test runs outside tests/support/with_print_system.sh") : why);
}

// The queue's name; it is the default printer.
inline QString queue() { return qEnvironmentVariable("ORVELLA_TEST_QUEUE"); }

// Runs one of CUPS's commands (lpadmin, lpstat, cupsreject, cupsdisable, cancel ...) against the
// private scheduler: its standard output, or nothing when it failed.
inline std::optional<QString> cups(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return std::nullopt;
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The queue enabled and taking jobs from anyone, with no job and no PDF left from an earlier test.
inline bool restore() {
  QDir pdfs(qEnvironmentVariable("ORVELLA_TEST_PDF_OUT"));
  for (const QString& name : pdfs.entryList(QDir::Files)) pdfs.remove(name);
  // Anyone first: the scheduler refuses a user it denies even the commands that follow. Jobs go
  // (-x: forgotten too) before the queue starts again, so none of them starts printing.
  return cups(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue(), QStringLiteral("-u"), QStringLiteral("allow:all")}) &&
         cups(QStringLiteral("cancel"), {QStringLiteral("-a"), QStringLiteral("-x"), queue()}) &&
         cups(QStringLiteral("cupsaccept"), {queue()}) && cups(QStringLiteral("cupsenable"), {queue()});
}

// The queue refuses new jobs, giving the reason (cupsreject).
inline bool refuseJobs(const QString& reason) {
  return bool(cups(QStringLiteral("cupsreject"), {QStringLiteral("-r"), reason, queue()}));
}

// The queue keeps its jobs waiting instead of printing them, giving the reason (cupsdisable).
inline bool stop(const QString& reason) {
  return bool(cups(QStringLiteral("cupsdisable"), {QStringLiteral("-r"), reason, queue()}));
}

// The queue refuses jobs of the user running the test, while saying it accepts jobs.
inline bool denyThisUser() {
  const auto user = cups(QStringLiteral("id"), {QStringLiteral("-un")});
  return user && cups(QStringLiteral("lpadmin"), {QStringLiteral("-p"), queue(), QStringLiteral("-u"),
                                                  QStringLiteral("deny:") + user->trimmed()});
}

// The jobs of the queue, "not-completed" or "completed" ones, as lpstat lists them.
inline QStringList jobs(const QString& which) {
  const auto listed = cups(QStringLiteral("lpstat"), {QStringLiteral("-W"), which, QStringLiteral("-o"), queue()});
  return listed ? listed->split(QLatin1Char('\n'), Qt::SkipEmptyParts) : QStringList{QStringLiteral("<lpstat failed>")};
}

// The PDFs that the queue's finished jobs arrived as, once `count` jobs have completed (or after
// `patienceMs`), by name. A PDF is complete once its job has completed.
inline QStringList arrivedPdfs(int count, int patienceMs = 60000) {
  QElapsedTimer waited;
  waited.start();
  while (jobs(QStringLiteral("completed")).size() < count && waited.elapsed() < patienceMs) QThread::msleep(100);
  QStringList pdfs;
  const QDir folder(qEnvironmentVariable("ORVELLA_TEST_PDF_OUT"));
  for (const QString& name : folder.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name))
    pdfs << folder.filePath(name);
  return pdfs;
}

// The scheduler's log, for a test that fails to show.
inline QString log() {
  QFile file(qEnvironmentVariable("ORVELLA_TEST_CUPS_LOG"));
  return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

}  // namespace orvella::testing::print_system
