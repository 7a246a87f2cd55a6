#pragma once

#include "platform/SecondaryWindowViews.h"
#include "state/SecondaryWindow.h"

#include <string>

namespace tarvex {

class FileDialog;
class SettingsStore;
class WindowSystem;

// The Edit Paths dialog: the two clients' paths and parameters. Exists at
// most once; open() on an open dialog does nothing, so edits survive it.
class editpaths : public EditPathsEvents
{
public:
    editpaths(WindowSystem& windows, SettingsStore& settings, FileDialog& fileDialog);

    void open();

    void Command1_Click() override; // "Browse..." for the regular client
    void Command2_Click() override; // "Browse..." for the GL client
    void Command3_Click() override; // "Done"
    void Command4_Click() override; // "Cancel"
    void Form_Unload() override;

private:
    void Form_Load();
    void browse(PathsBox box);

    WindowSystem& m_windows;
    SettingsStore& m_settings;
    FileDialog& m_fileDialog;
    SecondaryWindow<EditPathsView> m_dialog;

    // The file dialog both Browse buttons share, fresh for every opening:
    // the name it offers is the last one confirmed in it, and the filter is
    // set by the regular client's Browse button and then kept.
    std::string m_dialogFileName;
    std::string m_dialogFilter;
};

} // namespace tarvex
