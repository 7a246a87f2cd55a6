#pragma once

namespace tarvex {

class MainWindowState;

// "Remove Server": removes every entry equal to the server box's text, without
// asking. Every other entry stays exactly as it was, in its order, and the
// server box's text becomes the first entry, or empty when none is left.
void removeChosenServer(MainWindowState& window);

} // namespace tarvex
