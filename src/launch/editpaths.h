#pragma once

#include "platform/SecondaryWindowViews.h"

namespace tarvex {

struct Platform;

// The Edit Paths dialog. Exists at most once; open() on an open dialog does nothing.
class editpaths : public EditPathsEvents
{
public:
    explicit editpaths(Platform& platform);

    void open();
    bool isOpen() const { return m_view != nullptr; }

    void Command1_Click() override;
    void Command2_Click() override;
    void Command3_Click() override;
    void Command4_Click() override;
    void Form_Unload() override;

private:
    void Form_Load();

    Platform& m_platform;
    EditPathsView* m_view = nullptr;
};

} // namespace tarvex
