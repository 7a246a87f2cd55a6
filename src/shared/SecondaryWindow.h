#pragma once

namespace tarvex {

// The lifecycle every secondary window shares: at most one at a time, made
// by open() and forgotten when it unloads. The view belongs to the window
// system and must not be touched after its Form_Unload.
template <typename View> class SecondaryWindow
{
public:
    // Makes the view with create() unless one is open; true when it made one.
    template <typename Create> bool open(Create create)
    {
        if (m_view != nullptr) {
            return false;
        }
        m_view = &create();
        return true;
    }
    bool isOpen() const { return m_view != nullptr; }
    // The open view, or null.
    View* view() const { return m_view; }
    // Closes the open view, which raises its Form_Unload.
    void close()
    {
        if (m_view != nullptr) {
            m_view->close();
        }
    }
    // Called from the owner's Form_Unload.
    void unloaded() { m_view = nullptr; }

private:
    View* m_view = nullptr;
};

} // namespace tarvex
