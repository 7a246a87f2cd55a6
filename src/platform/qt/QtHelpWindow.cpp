#include "platform/qt/QtHelpWindow.h"

namespace tarvex {

QtHelpWindow::QtHelpWindow(HelpEvents& events)
    : QtSecondaryWindow("help", "How can I get help?", 4485, 2910, [&events] { events.Form_Unload(); })
    , m_events(events)
{
}

void QtHelpWindow::show()
{
    QWidget::show();
}

void QtHelpWindow::close()
{
    QWidget::close();
}

} // namespace tarvex
