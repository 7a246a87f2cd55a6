#include "launch/JoinServer.h"

#include "app/Form1.h"

namespace tarvex {

void joinServer(Form1&)
{
    // TODO(join server)
}

} // namespace tarvex
