// The print system's queues, as printing needs them: a queue's state before a job goes to it, and a
// PDF file handed over as a job, with the print system's answer. On CUPS where the platform has it;
// elsewhere the print system is not asked, and printing goes through the toolkit alone.
#pragma once

#include <QSizeF>
#include <QString>

namespace orvella::printing {

struct QueueState {
  bool known = false;     // the print system answered for this queue
  bool accepting = true;  // it takes new jobs
  bool stopped = false;   // it keeps its jobs waiting instead of printing them
  QString message;        // what the print system says about the queue, if anything
};

struct JobOutcome {
  int jobId = 0;    // the print system's number of the job; 0 when it did not take the job
  QString refusal;  // why not, in the print system's words
  bool taken() const { return jobId > 0; }
};

// Whether queues are asked and jobs are sent through the functions below on this platform.
bool haveQueues();

// Where the print system's scheduler should answer ("/run/cups/cups.sock", a host name) when it does
// not: then no printer can be seen, installed or not. Empty when it answers, or where it is not asked.
QString silentScheduler();

// The state of a queue as the toolkit names printers ("queue", or "queue/instance").
QueueState queueState(const QString& printerName);

// Sends a PDF file to the queue as one job with the title given, to be printed on the paper of that
// size in millimetres (either way round; none named when empty). The print system turns the pages as
// its printer feeds that paper. The file may go once this returns.
JobOutcome sendPdf(const QString& printerName, const QString& pdfFile, const QString& title,
                   const QSizeF& paperMm = {});

}  // namespace orvella::printing
