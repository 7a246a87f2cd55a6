#include "launch/editpaths.h"

#include "platform/Platform.h"

namespace tarvex {

editpaths::editpaths(Platform& platform)
    : m_platform(platform)
{
}

void editpaths::open()
{
    if (m_view != nullptr) {
        return;
    }
    m_view = &m_platform.windows.createEditPaths(*this);
    Form_Load();
}

void editpaths::Form_Load()
{
    m_view->show();
}

void editpaths::Command1_Click()
{
    // TODO(edit paths): browse for the regular client.
}

void editpaths::Command2_Click()
{
    // TODO(edit paths): browse for the GL client.
}

void editpaths::Command3_Click()
{
    // TODO(edit paths): store the four values.
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
