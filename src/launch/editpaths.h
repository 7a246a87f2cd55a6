#pragma once

#include "platform/SecondaryWindowViews.h"

#include <string>

namespace tarvex {

struct Platform;

// The Edit Paths dialog: the two clients' paths and parameters. Exists at
// most once; open() on an open dialog does nothing, so edits survive it.
class editpaths : public EditPathsEvents
{
public:
    explicit editpaths(Platform& platform);

    void open();
    bool isOpen() const { return m_view != nullptr; }

    void Command1_Click() override; // "Browse..." for the regular client
    void Command2_Click() override; // "Browse..." for the GL client
    void Command3_Click() override; // "Done"
    void Command4_Click() override; // "Cancel"
    void Form_Unload() override;

private:
    void Form_Load();
    void browse(int box);

    Platform& m_platform;
    EditPathsView* m_view = nullptr;

    // The file dialog both Browse buttons share, fresh for every opening:
    // the name it offers is the last one confirmed in it, and the filter is
    // set by the regular client's Browse button and then kept.
    std::string m_dialogFileName;
    std::string m_dialogFilter;
};

} // namespace tarvex
