#pragma once

namespace tarvex {

class Form1;

// "Join Server": checks the address and the client, then starts the client.
void joinServer(Form1& form);

} // namespace tarvex
