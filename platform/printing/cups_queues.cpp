// The print system's queues through libcups: IPP requests to the scheduler the user's CUPS settings
// name (CUPS_SERVER, client.conf), as every CUPS client on the machine does. The library and the
// dozen libraries it brings (TLS, Kerberos, Avahi) are loaded when printing first asks for them, not
// when the program starts.
#include <cups/cups.h>

#include <QLibrary>
#include <algorithm>
#include <cmath>

#include "platform/printing/print_queues.h"

namespace orvella::printing {

namespace {

// The functions of libcups that printing calls, found in the library when it is first needed.
struct Cups {
#define ORVELLA_CUPS_FUNCTION(name) decltype(&::name) name = nullptr;
#define ORVELLA_CUPS_FUNCTIONS(X)                                                                            \
  X(cupsServer) X(cupsEncryption) X(httpConnect2) X(httpClose) X(httpAssembleURI) X(ippPort) X(ippNewRequest) \
  X(ippAddString) X(ippAddStrings) X(cupsDoRequest) X(ippGetStatusCode) X(ippFindAttribute) X(ippGetInteger)  \
  X(ippGetBoolean) X(ippGetString) X(ippDelete) X(pwgMediaForSize) X(cupsAddOption) X(cupsPrintFile)         \
  X(cupsFreeOptions) X(cupsLastErrorString)
  ORVELLA_CUPS_FUNCTIONS(ORVELLA_CUPS_FUNCTION)
  bool loaded = false;
};

const Cups& cups() {
  static const Cups functions = [] {
    Cups c;
    QLibrary library(QStringLiteral("cups"), 2);
    if (!library.load()) return c;
#define ORVELLA_CUPS_RESOLVE(name)                                                             \
  c.name = reinterpret_cast<decltype(c.name)>(library.resolve(#name));                         \
  if (!c.name) return Cups();
    ORVELLA_CUPS_FUNCTIONS(ORVELLA_CUPS_RESOLVE)
    c.loaded = true;
    return c;  // the library stays loaded: QLibrary unloads only when asked to
  }();
  return functions;
}

QString fromCups(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

// The queue's name without a client-side instance ("queue/draft" is a set of options for "queue").
QByteArray queueOf(const QString& printerName) { return printerName.section(QLatin1Char('/'), 0, 0).toUtf8(); }

}  // namespace

// Without libcups printing goes through the toolkit alone, as on platforms without CUPS.
bool haveQueues() { return cups().loaded; }

QString silentScheduler() {
  const Cups& c = cups();
  if (!c.loaded) return {};
  const char* server = c.cupsServer();
  http_t* http = c.httpConnect2(server, c.ippPort(), nullptr, AF_UNSPEC, c.cupsEncryption(), 1, 5000, nullptr);
  if (!http) return fromCups(server);
  c.httpClose(http);
  return {};
}

QueueState queueState(const QString& printerName) {
  QueueState state;
  const Cups& c = cups();
  const QByteArray queue = queueOf(printerName);
  if (queue.isEmpty() || !c.loaded) return state;
  char uri[HTTP_MAX_URI];
  const QByteArray resource = "/printers/" + queue;
  c.httpAssembleURI(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", c.ippPort(),
                    resource.constData());
  ipp_t* request = c.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  c.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-is-accepting-jobs"};
  c.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
  ipp_t* response = c.cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");  // takes the request
  if (response && c.ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE) {
    state.known = true;
    if (ipp_attribute_t* a = c.ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
      state.stopped = c.ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* a = c.ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
      state.accepting = c.ippGetBoolean(a, 0);
    if (ipp_attribute_t* a = c.ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
      state.message = fromCups(c.ippGetString(a, 0, nullptr)).trimmed();
  }
  c.ippDelete(response);
  return state;
}

JobOutcome sendPdf(const QString& printerName, const QString& pdfFile, const QString& title,
                   const QSizeF& paperMm) {
  JobOutcome outcome;
  const Cups& c = cups();
  if (!c.loaded) {
    outcome.refusal = QStringLiteral("libcups cannot be loaded");
    return outcome;
  }
  // Without the paper named the queue takes its own default, whatever paper the pages are.
  cups_option_t* options = nullptr;
  int count = 0;
  if (!paperMm.isEmpty()) {
    // Named as the print system names papers (PWG), upright, in hundredths of a millimetre.
    const int across = int(std::lround(std::min(paperMm.width(), paperMm.height()) * 100));
    const int down = int(std::lround(std::max(paperMm.width(), paperMm.height()) * 100));
    if (const pwg_media_t* media = c.pwgMediaForSize(across, down))
      count = c.cupsAddOption("media", media->pwg, count, &options);
  }
  outcome.jobId = c.cupsPrintFile(queueOf(printerName).constData(), pdfFile.toLocal8Bit().constData(),
                                  title.toUtf8().constData(), count, options);
  c.cupsFreeOptions(count, options);
  if (!outcome.taken()) outcome.refusal = fromCups(c.cupsLastErrorString());
  return outcome;
}

}  // namespace orvella::printing
