#pragma once

#include <QWidget>

#include <functional>

namespace tarvex {

// A small top-level window without an owner that deletes itself when closed
// and reports its unloading exactly once.
class QtSecondaryWindow : public QWidget
{
public:
    QtSecondaryWindow(const char* name, const char* title, int clientWidthTwips,
                      int clientHeightTwips, std::function<void()> onUnload);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> m_onUnload;
    bool m_unloaded = false;
};

// One of the launcher's secondary windows: the view's show() and close() and
// the Form_Unload of its events, the same for every one of them.
template <typename View, typename Events> class QtSecondaryWindowOf : public QtSecondaryWindow, public View
{
public:
    QtSecondaryWindowOf(Events& events, const char* name, const char* title, int clientWidthTwips,
                        int clientHeightTwips)
        : QtSecondaryWindow(name, title, clientWidthTwips, clientHeightTwips, [&events] { events.Form_Unload(); })
        , m_events(events)
    {
    }

    void show() override { QWidget::show(); }
    void close() override { QWidget::close(); }

protected:
    Events& m_events;
};

} // namespace tarvex
