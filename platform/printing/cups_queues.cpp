// The print system's queues through libcups: IPP requests to the scheduler the user's CUPS settings
// name (CUPS_SERVER, client.conf), as every CUPS client on the machine does.
#include <cups/cups.h>

#include <algorithm>
#include <cmath>

#include "platform/printing/print_queues.h"

namespace orvella::printing {

namespace {

QString fromCups(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// The queue's name without a client-side instance ("queue/draft" is a set of options for "queue").
QByteArray queueOf(const QString& printerName) { return printerName.section(QLatin1Char('/'), 0, 0).toUtf8(); }

}  // namespace

bool haveQueues() { return true; }

QString silentScheduler() {
  const char* server = cupsServer();
  http_t* http = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
  if (!http) return fromCups(server);
  httpClose(http);
  return {};
}

QueueState queueState(const QString& printerName) {
  QueueState state;
  const QByteArray queue = queueOf(printerName);
  if (queue.isEmpty()) return state;
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                   queue.constData());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-is-accepting-jobs"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");  // takes the request
  if (response && ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE) {
    state.known = true;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
      state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
      state.accepting = ippGetBoolean(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
      state.message = fromCups(ippGetString(a, 0, nullptr)).trimmed();
  }
  ippDelete(response);
  return state;
}

JobOutcome sendPdf(const QString& printerName, const QString& pdfFile, const QString& title,
                   const QSizeF& paperMm) {
  JobOutcome outcome;
  // Without the paper named the queue takes its own default, whatever paper the pages are.
  cups_option_t* options = nullptr;
  int count = 0;
  if (!paperMm.isEmpty()) {
    // Named as the print system names papers (PWG), upright, in hundredths of a millimetre.
    const int across = int(std::lround(std::min(paperMm.width(), paperMm.height()) * 100));
    const int down = int(std::lround(std::max(paperMm.width(), paperMm.height()) * 100));
    if (const pwg_media_t* media = pwgMediaForSize(across, down))
      count = cupsAddOption("media", media->pwg, count, &options);
  }
  outcome.jobId = cupsPrintFile(queueOf(printerName).constData(), pdfFile.toLocal8Bit().constData(),
                                title.toUtf8().constData(), count, options);
  cupsFreeOptions(count, options);
  if (!outcome.taken()) outcome.refusal = fromCups(cupsLastErrorString());
  return outcome;
}

}  // namespace orvella::printing
