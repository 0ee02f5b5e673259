// A module of the program: a shared library in lib/orvella/modules, reached from the program's folder
// as installed and as built, loaded the first time one of its functions is needed.
#pragma once

#include <QFunctionPointer>
#include <QString>

namespace orvella {

// The function of the module ("orvella_pdf_structure"), which stays loaded until the program ends.
// Raises Error "The module FILE cannot be loaded: reason" when the file is missing or unusable.
QFunctionPointer programModuleFunction(const QString& module, const char* function);

}  // namespace orvella
