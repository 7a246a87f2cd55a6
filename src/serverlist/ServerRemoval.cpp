#include "serverlist/ServerRemoval.h"

#include "app/Form1.h"

namespace tarvex {

void removeChosenServer(Form1&)
{
    // TODO(server removal)
}

} // namespace tarvex
