#include "platform/qt/QtMainWindow.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace tarvex {

QtMainWindow::QtMainWindow(MainWindowEvents& events)
    // The client area's size; the menu bar is added to it below.
    : QtWindow(events, "Form1", "The Tarvex Game Launcher", 4215, 2490)
{
    const auto named = [](auto* object, const char* name) {
        object->setObjectName(QString::fromLatin1(name));
        return object;
    };
    auto* fileMenu = named(menuBar()->addMenu(QStringLiteral("File")), "mnuFile");
    auto* advancedMenu = named(fileMenu->addMenu(QStringLiteral("Advanced")), "mnuAdvanced");
    auto* editAction = named(advancedMenu->addAction(QStringLiteral("Edit Paths")), "mnuEdit");
    auto* exitAction = named(fileMenu->addAction(QStringLiteral("Exit")), "mnuExit");
    auto* helpMenu = named(menuBar()->addMenu(QStringLiteral("Help")), "mnuHelp");
    auto* helpAction = named(helpMenu->addAction(QStringLiteral("Help me!")), "mnuHelpMe");

    auto* client = new QWidget(this);
    client->setFixedSize(twips(4215), twips(2490));
    setCentralWidget(client);

    auto* command2 = makeButton(client, "Command2", "Update", twipsRect(120, 50, 855, 315));

    m_combo1 = new QComboBox(client);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    m_combo1->setAccessibleName(QStringLiteral("Server"));
    m_combo1->setEditable(true);
    // The launcher alone decides what becomes an entry; no auto-completion
    // may change what the player typed.
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->setCompleter(nullptr);
    m_combo1->lineEdit()->setAccessibleName(QStringLiteral("Server address"));
    keepToOneLine(m_combo1->lineEdit());
    m_combo1->setGeometry(twipsRect(1080, 50, 3015, 315));

    m_list1 = new QListWidget(client);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setAccessibleName(QStringLiteral("Server status"));
    m_list1->setGeometry(twipsRect(120, 480, 3975, 1230));

    m_option1 = new QRadioButton(QStringLiteral("Regular Tarvex"), client);
    m_option1->setObjectName(QStringLiteral("Option1"));
    m_option1->setGeometry(twipsRect(120, 1800, 1815, 195));
    m_option2 = new QRadioButton(QStringLiteral("GL Enhanced Tarvex"), client);
    m_option2->setObjectName(QStringLiteral("Option2"));
    m_option2->setGeometry(twipsRect(2040, 1800, 2055, 195));
    auto* group = new QButtonGroup(this);
    group->addButton(m_option1);
    group->addButton(m_option2);
    m_option1->setChecked(true);

    auto* command1 = makeButton(client, "Command1", "Add Server", twipsRect(120, 2040, 1215, 375));
    auto* command3 = makeButton(client, "Command3", "Remove Server", twipsRect(1440, 2040, 1335, 375));
    auto* command4 = makeButton(client, "Command4", "Join Server", twipsRect(2880, 2040, 1215, 375));

    // Tab order by tab index: Add Server, results, server box, Update,
    // Remove, Join, then the two options.
    setTabChain({command1, m_list1, m_combo1, command2, command3, command4, m_option1, m_option2});
    command1->setFocus();

    setFixedSize(sizeHint());

    connect(m_combo1->lineEdit(), &QLineEdit::textEdited, this, [this] { m_events.Combo1_Change(); });
    connect(m_option1, &QRadioButton::clicked, this, [this] { m_events.Option1_Click(); });
    connect(m_option2, &QRadioButton::clicked, this, [this] { m_events.Option2_Click(); });
    connect(command1, &QPushButton::clicked, this, [this] { m_events.Command1_Click(); });
    connect(command2, &QPushButton::clicked, this, [this] { m_events.Command2_Click(); });
    connect(command3, &QPushButton::clicked, this, [this] { m_events.Command3_Click(); });
    connect(command4, &QPushButton::clicked, this, [this] { m_events.Command4_Click(); });
    // Menu commands run once the menu has closed, so a command that shows a
    // modal box never does so from inside the menu's (or a screen reader's)
    // own call.
    connect(editAction, &QAction::triggered, this, [this] { m_events.mnuEdit_Click(); }, Qt::QueuedConnection);
    connect(helpAction, &QAction::triggered, this, [this] { m_events.mnuHelpMe_Click(); }, Qt::QueuedConnection);
    connect(exitAction, &QAction::triggered, this, [this] { m_events.mnuExit_Click(); }, Qt::QueuedConnection);
}

std::string QtMainWindow::comboText() const
{
    return toLatin1(m_combo1->currentText());
}

void QtMainWindow::setComboText(const std::string& text)
{
    m_combo1->setEditText(fromLatin1(text));
}

void QtMainWindow::setComboItems(const std::vector<std::string>& items)
{
    const QString text = m_combo1->currentText();
    QStringList list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& item : items) {
        list.append(fromLatin1(item));
    }
    m_combo1->clear();
    m_combo1->addItems(list);
    m_combo1->setEditText(text);
}

void QtMainWindow::addComboItem(const std::string& item)
{
    const QString text = m_combo1->currentText();
    m_combo1->addItem(fromLatin1(item));
    m_combo1->setEditText(text);
}

void QtMainWindow::clearList()
{
    m_list1->clear();
}

void QtMainWindow::addListLine(const std::string& line)
{
    m_list1->addItem(fromLatin1(line));
}

bool QtMainWindow::option1Selected() const
{
    return m_option1->isChecked();
}

void QtMainWindow::setOption1Selected(bool selected)
{
    (selected ? m_option1 : m_option2)->setChecked(true);
}

void QtMainWindow::minimise()
{
    showMinimized();
}

void QtMainWindow::restore()
{
    if (isMinimized()) {
        showNormal();
        raise();
        activateWindow();
    }
}

} // namespace tarvex
