#pragma once

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QCloseEvent>
#include <QWidget>

namespace tarvex {

// One of the launcher's windows: a top-level window without an owner, of a
// fixed size, that deletes itself when closed and reports its unloading
// exactly once. The view's show() and close() are the same for every one.
template <typename View, typename Events, typename Widget = QWidget> class QtWindow : public Widget, public View
{
public:
    QtWindow(Events& events, const char* name, const char* title, int widthTwips, int heightTwips)
        : m_events(events)
    {
        Widget::setObjectName(QString::fromLatin1(name));
        Widget::setWindowTitle(QString::fromLatin1(title));
        Widget::setAttribute(Qt::WA_DeleteOnClose);
        Widget::setWindowIcon(launcherIcon());
        // The layouts were drawn for an 8-point dialog font; a larger desktop
        // default would cut captions off.
        Widget::setFont(classicFont(8.0));
        Widget::setFixedSize(twips(widthTwips), twips(heightTwips));
    }

    void show() override { Widget::show(); }
    void close() override { Widget::close(); }

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
