#include "platform/qt/QtControls.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarvex {

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QLineEdit* makeField(QWidget* parent, const char* name, const char* accessibleName, QRect geometry)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setAccessibleName(QString::fromLatin1(accessibleName));
    field->setGeometry(geometry);
    return field;
}

void setTabChain(std::initializer_list<QWidget*> widgets)
{
    for (auto next = widgets.begin(); next + 1 < widgets.end(); ++next) {
        QWidget::setTabOrder(*next, *(next + 1));
    }
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QRect geometry, Qt::Alignment alignment)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    return label;
}

QIcon launcherIcon()
{
    return QIcon(QStringLiteral(":/tarvex/icon.png"));
}

} // namespace tarvex
