#include "platform/qt/QtSecretWindow.h"

namespace tarvex {

QtSecretWindow::QtSecretWindow(SecretEvents& events)
    : QtSecondaryWindow("secret", "You found a secret!", 4680, 2760, [&events] { events.Form_Unload(); })
    , m_events(events)
{
}

void QtSecretWindow::show()
{
    QWidget::show();
}

void QtSecretWindow::close()
{
    QWidget::close();
}

} // namespace tarvex
