#include "platform/qt/QtEditPathsWindow.h"

#include "platform/qt/QtText.h"

#include <QLineEdit>

namespace tarvex {

QtEditPathsWindow::QtEditPathsWindow(EditPathsEvents& events)
    : QtSecondaryWindow("editpaths", "Edit Paths", 6255, 1440, [&events] { events.Form_Unload(); })
    , m_events(events)
{
    const QRect geometries[4] = {twipsRect(120, 240, 3135, 285), twipsRect(120, 600, 3135, 285),
                                 twipsRect(3360, 240, 1455, 285), twipsRect(3360, 600, 1455, 285)};
    for (int i = 0; i < 4; ++i) {
        m_texts[i] = new QLineEdit(this);
        m_texts[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        m_texts[i]->setGeometry(geometries[i]);
    }
}

std::string QtEditPathsWindow::text(int box) const
{
    return toLatin1(m_texts[box - 1]->text());
}

void QtEditPathsWindow::setText(int box, const std::string& text)
{
    m_texts[box - 1]->setText(fromLatin1(text));
}

void QtEditPathsWindow::show()
{
    QWidget::show();
}

void QtEditPathsWindow::close()
{
    QWidget::close();
}

} // namespace tarvex
