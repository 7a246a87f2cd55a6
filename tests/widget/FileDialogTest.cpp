#include "platform/qt/QtFileDialog.h"

#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(FileDialogTest, FilterTextBecomesQtEntriesAndEveryFileStaysReachable)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"", {}},
        {"Executable Files | *.exe", {"Executable Files (*.exe)", "All Files (*)"}},
        {"Executable Files|*.exe", {"Executable Files (*.exe)", "All Files (*)"}},
        {"Programs | *.exe;*.com", {"Programs (*.exe *.com)", "All Files (*)"}},
        {"Everything | *", {"Everything (*)"}},
    };
    for (const auto& [filter, expected] : cases) {
        EXPECT_EQ(saveDialogNameFilters(filter), expected) << filter;
    }
}

TEST(FileDialogTest, DialogIsASaveDialogThatOffersTheNameAndNeverAsksToReplace)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString offered = folder.filePath(QStringLiteral("qf-client-win.exe"));

    QFileDialog dialog;
    prepareSaveDialog(dialog, "Executable Files | *.exe", offered.toStdString());
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.nameFilters(), (QStringList{"Executable Files (*.exe)", "All Files (*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("Executable Files (*.exe)"));
    EXPECT_EQ(dialog.selectedFiles(), QStringList{offered});

    QFileDialog plain;
    prepareSaveDialog(plain, "", "");
    EXPECT_EQ(plain.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(plain.nameFilters(), QStringList{QStringLiteral("All Files (*)")});
}

} // namespace
} // namespace tarvex
