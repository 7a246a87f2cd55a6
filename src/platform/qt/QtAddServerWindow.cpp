#include "platform/qt/QtAddServerWindow.h"

#include "platform/qt/QtText.h"

#include <QLineEdit>

namespace tarvex {

QtAddServerWindow::QtAddServerWindow(AddServerEvents& events)
    : QtSecondaryWindow("AddServer", "AddServer", 2910, 1215, [&events] { events.Form_Unload(); })
    , m_events(events)
{
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twipsRect(840, 120, 1815, 285));
    m_text2 = new QLineEdit(this);
    m_text2->setObjectName(QStringLiteral("Text2"));
    m_text2->setGeometry(twipsRect(840, 480, 1815, 285));
}

std::string QtAddServerWindow::text1() const
{
    return toLatin1(m_text1->text());
}

void QtAddServerWindow::setText1(const std::string& text)
{
    m_text1->setText(fromLatin1(text));
}

std::string QtAddServerWindow::text2() const
{
    return toLatin1(m_text2->text());
}

void QtAddServerWindow::setText2(const std::string& text)
{
    m_text2->setText(fromLatin1(text));
}

void QtAddServerWindow::show()
{
    QWidget::show();
}

void QtAddServerWindow::close()
{
    QWidget::close();
}

} // namespace tarvex
