// Platforms without CUPS: the print system is not asked, and the toolkit prints on its own.
#include "platform/printing/print_queues.h"

namespace orvella::printing {

bool haveQueues() { return false; }

QString silentScheduler() { return {}; }

QueueState queueState(const QString&) { return {}; }

JobOutcome sendPdf(const QString&, const QString&, const QString&, const QSizeF&) {
  return {0, QStringLiteral("no print system to send to")};
}

}  // namespace orvella::printing
