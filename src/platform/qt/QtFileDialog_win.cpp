#include "platform/qt/QtFileDialog.h"

namespace tarvex {

bool systemProgramsCarrySuffix()
{
    return true;
}

} // namespace tarvex
