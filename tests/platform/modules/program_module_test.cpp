// Modules are found beside the program as built; one that is missing, or lacks the function asked
// for, is named in the error.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/errors/error.h"
#include "platform/modules/program_module.h"

using namespace orvella;

TEST(ProgramModule, IsFoundBesideTheProgramOrNamedInTheError) {
  int argc = 1;
  char name[] = "platform_modules_test";
  char* argv[] = {name, nullptr};
  const QCoreApplication app(argc, argv);
  EXPECT_NE(programModuleFunction(QStringLiteral("orvella_pdf_structure"), "orvellaFinishPdf"), nullptr);
  const struct {
    const char* module;
    const char* function;
    const char* said;
  } refused[] = {{"orvella_no_such_module", "orvellaFinishPdf", "orvella_no_such_module"},
                 {"orvella_pdf_structure", "noSuchFunction", "it has no noSuchFunction"}};
  for (const auto& r : refused) {
    try {
      programModuleFunction(QString::fromLatin1(r.module), r.function);
      ADD_FAILURE() << r.module << " " << r.function;
    } catch (const Error& e) {
      EXPECT_TRUE(e.message().startsWith(QStringLiteral("The module "))) << e.what();
      EXPECT_TRUE(e.message().contains(QLatin1String(r.said))) << e.what();
    }
  }
}
