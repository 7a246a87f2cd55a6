#pragma once

#include <string>
#include <vector>

namespace tarvex {

// What the main window tells the launcher. Each handler runs on the GUI thread.
class MainWindowEvents
{
public:
    virtual ~MainWindowEvents() = default;

    // The window is closing (close box or File > Exit). Raised exactly once.
    virtual void Form_Unload() = 0;
    // The player typed in the server box. Picking an entry from the drop-down
    // and text set by the launcher itself do not raise it.
    virtual void Combo1_Change() = 0;
    // The player clicked an option button (not raised when the launcher selects one).
    virtual void Option1_Click() = 0;
    virtual void Option2_Click() = 0;
    virtual void Command1_Click() = 0; // "Add Server"
    virtual void Command2_Click() = 0; // "Update"
    virtual void Command3_Click() = 0; // "Remove Server"
    virtual void Command4_Click() = 0; // "Join Server"
    virtual void mnuEdit_Click() = 0;
    virtual void mnuHelpMe_Click() = 0;
    virtual void mnuExit_Click() = 0;
};

// The main window's controls as the launcher drives them. Texts are one byte
// per character; characters a byte cannot hold arrive as '?'.
class MainWindowView
{
public:
    virtual ~MainWindowView() = default;

    // Server box (Combo1): the edit text and the drop-down entries.
    virtual std::string comboText() const = 0;
    // Sets the edit text without raising Combo1_Change.
    virtual void setComboText(const std::string& text) = 0;
    virtual void setComboItems(const std::vector<std::string>& items) = 0;
    virtual void addComboItem(const std::string& item) = 0;

    // Result list (List1).
    virtual void clearList() = 0;
    virtual void addListLine(const std::string& line) = 0;

    // Client choice (Option1, Option2): selecting one clears the other.
    // Raises no click handler.
    virtual bool option1Selected() const = 0;
    virtual void setOption1Selected(bool selected) = 0;

    virtual void show() = 0;
    virtual void minimise() = 0;
    // Brings a minimised window back to its normal state; does nothing to a
    // window that is not minimised.
    virtual void restore() = 0;
    // Closes the window; Form_Unload follows before this returns.
    virtual void close() = 0;
};

} // namespace tarvex
