#include "platform/qt/QtControls.h"

#include <QIcon>
#include <QLabel>
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
