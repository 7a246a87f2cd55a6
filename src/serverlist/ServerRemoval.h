#pragma once

namespace tarvex {

class Form1;

// "Remove Server": removes every entry equal to the server box's text.
void removeChosenServer(Form1& form);

} // namespace tarvex
