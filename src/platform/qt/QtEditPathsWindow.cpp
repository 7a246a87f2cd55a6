#include "platform/qt/QtEditPathsWindow.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvex {

QtEditPathsWindow::QtEditPathsWindow(EditPathsEvents& events)
    : QtWindow(events, "editpaths", "Edit Paths", 6255, 1440)
{
    makeLabel(this, "Label1", "Path", twipsRect(120, 0, 3015, 255), Qt::AlignHCenter | Qt::AlignTop);
    makeLabel(this, "Label2", "Cmd Line Params", twipsRect(3360, 0, 1455, 255), Qt::AlignHCenter | Qt::AlignTop);

    m_texts = {makeField(this, "Text1", "Regular client path", twipsRect(120, 240, 3135, 285)),
               makeField(this, "Text2", "GL client path", twipsRect(120, 600, 3135, 285)),
               makeField(this, "Text3", "Regular client parameters", twipsRect(3360, 240, 1455, 285)),
               makeField(this, "Text4", "GL client parameters", twipsRect(3360, 600, 1455, 285))};

    auto* command1 = makeButton(this, "Command1", "Browse...", twipsRect(4920, 240, 1215, 255));
    command1->setAccessibleDescription(QStringLiteral("Choose the regular client's program"));
    auto* command2 = makeButton(this, "Command2", "Browse...", twipsRect(4920, 600, 1215, 255));
    command2->setAccessibleDescription(QStringLiteral("Choose the GL client's program"));
    auto* command3 = makeButton(this, "Command3", "Done", twipsRect(120, 960, 2895, 375));
    auto* command4 = makeButton(this, "Command4", "Cancel", twipsRect(3240, 960, 2895, 375));

    // Paths and their Browse buttons first, then Done and Cancel, and only
    // then the parameter boxes.
    setTabChain({m_texts[0], command1, m_texts[1], command2, command3, command4, m_texts[2], m_texts[3]});
    m_texts[0]->setFocus();

    connect(command1, &QPushButton::clicked, this, [this] { m_events.Command1_Click(); });
    connect(command2, &QPushButton::clicked, this, [this] { m_events.Command2_Click(); });
    connect(command3, &QPushButton::clicked, this, [this] { m_events.Command3_Click(); });
    connect(command4, &QPushButton::clicked, this, [this] { m_events.Command4_Click(); });
}

std::string QtEditPathsWindow::text(PathsBox box) const
{
    const QString value = m_texts.at(static_cast<std::size_t>(box))->text();
    return holdsPath(box) ? toPathBytes(value) : toLatin1(value);
}

void QtEditPathsWindow::setText(PathsBox box, const std::string& text)
{
    m_texts.at(static_cast<std::size_t>(box))->setText(holdsPath(box) ? fromPathBytes(text) : fromLatin1(text));
}

} // namespace tarvex
