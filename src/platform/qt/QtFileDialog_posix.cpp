#include "platform/qt/QtFileDialog.h"

namespace tarvex {

bool systemProgramsCarrySuffix()
{
    return false;
}

} // namespace tarvex
