#include "platform/qt/QtFileDialog.h"

#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtText.h"

#include <QFileDialog>

namespace tarvex {

QStringList saveDialogNameFilters(const std::string& filter)
{
    const auto bar = filter.find('|');
    if (bar == std::string::npos) {
        return {};
    }
    const QString description = fromLatin1(filter.substr(0, bar)).trimmed();
    QString patterns = fromLatin1(filter.substr(bar + 1)).trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    QStringList filters{description + QStringLiteral(" (") + patterns + QLatin1Char(')')};
    if (!systemProgramsCarrySuffix() && patterns != QLatin1String("*")) {
        filters.append(QStringLiteral("All Files (*)"));
    }
    return filters;
}

void prepareSaveDialog(QFileDialog& dialog, const std::string& filter, const std::string& initialName)
{
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = saveDialogNameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    if (!initialName.empty()) {
        dialog.selectFile(fromPathBytes(initialName));
    }
}

std::optional<std::string> QtFileDialog::saveFileName(const std::string& filter, const std::string& initialName)
{
    QFileDialog dialog;
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    prepareSaveDialog(dialog, filter, initialName);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) {
        return std::nullopt;
    }
    return toPathBytes(chosen.front());
}

} // namespace tarvex
