// A module of the program: a shared library in "modules" beside the executable (a copy with its data
// beside it, as built) or, installed, in lib/orvella/modules, loaded the first time one of its
// functions is needed.
#pragma once

#include <QFunctionPointer>
#include <QString>

namespace orvella {

// The function of the module ("orvella_pdf_structure"), which stays loaded until the program ends.
// Raises Error "The module FILE cannot be loaded: reason" when the file is missing or unusable.
QFunctionPointer programModuleFunction(const QString& module, const char* function);

}  // namespace orvella
