#include "platform/qt/QtMessageBox.h"

#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"

#include <QIcon>
#include <QMessageBox>

namespace tarvex {

void QtMessageBox::show(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::NoIcon, fromLatin1(title), fromLatin1(text), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("MessageBox"));
    // Texts may come from the network: never let Qt read them as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowIcon(launcherIcon());
    box.exec();
}

} // namespace tarvex
