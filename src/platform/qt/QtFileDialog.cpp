#include "platform/qt/QtFileDialog.h"

#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtText.h"

#include <QFileDialog>

namespace tarvex {

std::optional<std::string> QtFileDialog::saveFileName(const std::string& filter, const std::string& initialName)
{
    QString qtFilter;
    const auto bar = filter.find('|');
    if (bar != std::string::npos) {
        qtFilter = fromLatin1(filter.substr(0, bar)).trimmed() + QStringLiteral(" (") +
                   fromLatin1(filter.substr(bar + 1)).trimmed() + QLatin1Char(')');
    }
    const QString chosen = QFileDialog::getSaveFileName(nullptr, QString(), fromPathBytes(initialName), qtFilter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return toPathBytes(chosen);
}

} // namespace tarvex
