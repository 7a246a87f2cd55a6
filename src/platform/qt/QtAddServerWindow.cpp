#include "platform/qt/QtAddServerWindow.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvex {

QtAddServerWindow::QtAddServerWindow(AddServerEvents& events)
    : QtWindow(events, "AddServer", "AddServer", 2910, 1215)
{
    auto* label1 = makeLabel(this, "Label1", "IP:", twipsRect(240, 165, 495, 255));
    m_text1 = makeField(this, "Text1", "IP", twipsRect(840, 120, 1815, 285));
    auto* label2 = makeLabel(this, "Label2", "Port: ", twipsRect(240, 525, 615, 255));
    m_text2 = makeField(this, "Text2", "Port", twipsRect(840, 480, 1815, 285));
    label1->setBuddy(m_text1);
    label2->setBuddy(m_text2);
    auto* command1 = makeButton(this, "Command1", "Ok", twipsRect(240, 840, 1095, 255));
    m_command2 = makeButton(this, "Command2", "Cancel", twipsRect(1560, 840, 1095, 255));

    setTabChain({m_text1, m_text2, command1, m_command2});
    m_text1->setFocus();

    for (QWidget* control : {static_cast<QWidget*>(m_text1), static_cast<QWidget*>(m_text2),
                             static_cast<QWidget*>(command1), static_cast<QWidget*>(m_command2)}) {
        control->installEventFilter(this);
    }
    connect(command1, &QPushButton::clicked, this, [this] { m_events.Command1_Click(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { m_events.Command2_Click(); });
}

bool QtAddServerWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        return previewKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
    }
    return QtWindow::eventFilter(watched, event);
}

void QtAddServerWindow::keyPressEvent(QKeyEvent* event)
{
    // A key a control passed on has been previewed already by the filter.
    const QWidget* focused = focusWidget();
    if ((focused != nullptr && focused != this) || !previewKey(nullptr, event)) {
        event->ignore();
    }
}

bool QtAddServerWindow::previewKey(QWidget* focused, QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        // Escape has no meaning in this dialog; keep any control from acting on it.
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The player who tabbed to "Cancel" and pressed Enter means Cancel.
        if (focused == m_command2) {
            m_events.Command2_Click();
        } else {
            m_events.Form_KeyPress(kEnterKey);
        }
        return true;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).unicode() <= 0xff) {
        // The dialog sees every typed character first; the control still gets it.
        m_events.Form_KeyPress(text.at(0).unicode());
    }
    return false;
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

} // namespace tarvex
