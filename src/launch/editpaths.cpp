#include "launch/editpaths.h"

#include "app/Settings.h"
#include "platform/Platform.h"

namespace tarvex {

namespace {

constexpr const char* kExecutableFilter = "Executable Files | *.exe";

// Box number and key, in the order the boxes are filled and stored.
struct BoxKey
{
    int box;
    const char* key;
};
constexpr BoxKey kBoxes[] = {
    {1, settings::kRegularPath},
    {2, settings::kGlPath},
    {3, settings::kRegularCmd},
    {4, settings::kGlCmd},
};

} // namespace

editpaths::editpaths(Platform& platform)
    : m_platform(platform)
{
}

void editpaths::open()
{
    if (m_view != nullptr) {
        return;
    }
    m_dialogFileName.clear();
    m_dialogFilter.clear();
    m_view = &m_platform.windows.createEditPaths(*this);
    Form_Load();
}

void editpaths::Form_Load()
{
    for (const auto& entry : kBoxes) {
        m_view->setText(entry.box, settings::read(m_platform.settings, entry.key));
    }
    m_view->show();
}

void editpaths::Command1_Click()
{
    m_dialogFilter = kExecutableFilter;
    browse(1);
}

void editpaths::Command2_Click()
{
    browse(2);
}

void editpaths::browse(int box)
{
    // A cancelled dialog leaves the box alone: writing the dialog's
    // remembered name would empty it or put the other client's path into it.
    const auto chosen = m_platform.fileDialog.saveFileName(m_dialogFilter, m_dialogFileName);
    if (!chosen || m_view == nullptr) {
        return;
    }
    m_dialogFileName = *chosen;
    m_view->setText(box, *chosen);
}

void editpaths::Command3_Click()
{
    for (const auto& entry : kBoxes) {
        settings::save(m_platform.settings, entry.key, m_view->text(entry.box));
    }
    m_view->close();
}

void editpaths::Command4_Click()
{
    m_view->close();
}

void editpaths::Form_Unload()
{
    m_view = nullptr;
}

} // namespace tarvex
