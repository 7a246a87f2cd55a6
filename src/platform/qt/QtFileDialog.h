#pragma once

#include "platform/FileDialog.h"

#include <QStringList>

class QFileDialog;

namespace tarvex {

class QtFileDialog final : public FileDialog
{
public:
    std::optional<std::string> saveFileName(const std::string& filter, const std::string& initialName) override;
};

// The dialog's filter entries for a "description|pattern" filter: blanks
// around either part are dropped and ";" between patterns becomes the space
// Qt expects. Where programs carry no ".exe" (everywhere but Windows) an
// "All Files (*)" entry follows, so the player can see and pick a client
// built for this system. An empty filter gives no entries: every file shows.
QStringList saveDialogNameFilters(const std::string& filter);

// Sets the dialog up as the system's save-file dialog offering initialName,
// without asking to replace an existing file: the player is picking a
// program, not writing one.
void prepareSaveDialog(QFileDialog& dialog, const std::string& filter, const std::string& initialName);

// Whether this system's programs end in ".exe" (Windows) or may carry any
// name (everywhere else). In QtFileDialog_win.cpp and QtFileDialog_posix.cpp.
bool systemProgramsCarrySuffix();

} // namespace tarvex
