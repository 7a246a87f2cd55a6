#pragma once

#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QWidget>

namespace tarvex {

// One of the launcher's secondary windows: a small top-level window without
// an owner that deletes itself when closed and reports its unloading exactly
// once. The view's show() and close() are the same for every one of them.
template <typename View, typename Events> class QtSecondaryWindow : public QWidget, public View
{
public:
    QtSecondaryWindow(Events& events, const char* name, const char* title, int clientWidthTwips,
                      int clientHeightTwips)
        : m_events(events)
    {
        setObjectName(QString::fromLatin1(name));
        setWindowTitle(QString::fromLatin1(title));
        setAttribute(Qt::WA_DeleteOnClose);
        useLayoutFont(this);
        setFixedSize(twips(clientWidthTwips), twips(clientHeightTwips));
    }

    void show() override { QWidget::show(); }
    void close() override { QWidget::close(); }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        if (!m_unloaded) {
            m_unloaded = true;
            m_events.Form_Unload();
        }
    }

    Events& m_events;

private:
    bool m_unloaded = false;
};

} // namespace tarvex
