// A bare Qt 6 window with the launcher's controls and menus and nothing
// behind them: the yardstick for the launcher's start-up time and memory.

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto* file = window.menuBar()->addMenu(QStringLiteral("File"));
    file->addMenu(QStringLiteral("Advanced"))->addAction(QStringLiteral("Edit Paths"));
    file->addAction(QStringLiteral("Exit"));
    window.menuBar()->addMenu(QStringLiteral("Help"))->addAction(QStringLiteral("Help me!"));

    auto* client = new QWidget(&window);
    client->setFixedSize(281, 166);
    window.setCentralWidget(client);
    (new QPushButton(QStringLiteral("Update"), client))->setGeometry(8, 3, 57, 21);
    auto* combo = new QComboBox(client);
    combo->setEditable(true);
    combo->setGeometry(72, 3, 201, 21);
    (new QListWidget(client))->setGeometry(8, 32, 265, 82);
    auto* option1 = new QRadioButton(QStringLiteral("Regular Tarvex"), client);
    option1->setGeometry(8, 120, 121, 13);
    auto* option2 = new QRadioButton(QStringLiteral("GL Enhanced Tarvex"), client);
    option2->setGeometry(136, 120, 137, 13);
    auto* group = new QButtonGroup(&window);
    group->addButton(option1);
    group->addButton(option2);
    option1->setChecked(true);
    (new QPushButton(QStringLiteral("Add Server"), client))->setGeometry(8, 136, 81, 25);
    (new QPushButton(QStringLiteral("Remove Server"), client))->setGeometry(96, 136, 89, 25);
    (new QPushButton(QStringLiteral("Join Server"), client))->setGeometry(192, 136, 81, 25);
    window.setFixedSize(window.sizeHint());
    window.show();
    return QApplication::exec();
}
