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
        ++m_openings;
        return true;
    }
    bool isOpen() const { return m_view != nullptr; }
    // How many views open() has made. A handler whose nested event loop
    // (a modal box or dialog) ran other events compares it before and after,
    // to tell its own view from one the player closed and opened afresh.
    unsigned openings() const { return m_openings; }
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
    unsigned m_openings = 0;
};

} // namespace tarvex
