#include "launch/editpaths.h"

#include "platform/FileDialog.h"
#include "platform/WindowSystem.h"
#include "state/Settings.h"

namespace tarvex {

namespace {

constexpr const char* kExecutableFilter = "Executable Files | *.exe";

// Box and key, in the order the boxes are filled and stored.
struct BoxKey
{
    PathsBox box;
    const char* key;
};
constexpr BoxKey kBoxes[] = {
    {PathsBox::RegularPath, settings::kRegularPath},
    {PathsBox::GlPath, settings::kGlPath},
    {PathsBox::RegularParameters, settings::kRegularCmd},
    {PathsBox::GlParameters, settings::kGlCmd},
};

} // namespace

editpaths::editpaths(WindowSystem& windows, SettingsStore& settings, FileDialog& fileDialog)
    : m_windows(windows)
    , m_settings(settings)
    , m_fileDialog(fileDialog)
{
}

void editpaths::open()
{
    if (m_dialog.open([this]() -> EditPathsView& { return m_windows.createEditPaths(*this); })) {
        m_dialogFileName.clear();
        m_dialogFilter.clear();
        Form_Load();
    }
}

void editpaths::Form_Load()
{
    for (const auto& entry : kBoxes) {
        m_dialog.view()->setText(entry.box, settings::read(m_settings, entry.key));
    }
    m_dialog.view()->show();
}

void editpaths::Command1_Click()
{
    m_dialogFilter = kExecutableFilter;
    browse(PathsBox::RegularPath);
}

void editpaths::Command2_Click()
{
    browse(PathsBox::GlPath);
}

void editpaths::browse(PathsBox box)
{
    // A cancelled dialog leaves the box alone: writing the dialog's
    // remembered name would empty it or put the other client's path into it.
    // While the modal dialog was open, the window may have been closed, or
    // closed and opened again with fresh boxes: the choice is no longer wanted.
    const unsigned opening = m_dialog.openings();
    const auto chosen = m_fileDialog.saveFileName(m_dialogFilter, m_dialogFileName);
    if (!chosen || m_dialog.openings() != opening || !m_dialog.isOpen()) {
        return;
    }
    m_dialogFileName = *chosen;
    m_dialog.view()->setText(box, *chosen);
}

void editpaths::Command3_Click()
{
    for (const auto& entry : kBoxes) {
        // The store tells the player itself when a value could not be kept.
        settings::save(m_settings, entry.key, m_dialog.view()->text(entry.box)).ignore();
    }
    m_dialog.close();
}

void editpaths::Command4_Click()
{
    m_dialog.close();
}

void editpaths::Form_Unload()
{
    m_dialog.unloaded();
}

} // namespace tarvex
