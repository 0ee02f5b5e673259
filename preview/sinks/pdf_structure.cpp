// The PDF's structure is edited by the module, loaded the first time a PDF is finished.
#include "preview/sinks/pdf_structure.h"

#include "platform/errors/error.h"
#include "platform/modules/program_module.h"

namespace orvella::sinks {

void finishPdf(const PdfFinish& finish, QIODevice& out) {
  static const auto function = reinterpret_cast<FinishPdfFunction>(
      programModuleFunction(QString::fromLatin1(kPdfStructureModule), kFinishPdfFunction));
  QString problem;
  function(finish, out, problem);
  if (!problem.isEmpty()) throw Error(problem);
}

}  // namespace orvella::sinks
