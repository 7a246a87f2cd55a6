#include "platform/qt/QtProcessStarter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

class ProcessStarterTest : public ::testing::Test
{
protected:
    // A client that writes its arguments, each ended by a NUL, to `record`.
    QString writeScript(const QString& name, const QByteArray& body, bool executable = true)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(body);
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) {
            permissions |= QFile::ExeOwner;
        }
        file.setPermissions(permissions);
        return path;
    }
    QByteArray recorder() const
    {
        return "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"" + record.toUtf8() + ".part\"\nmv \"" + record.toUtf8()
            + ".part\" \"" + record.toUtf8() + "\"\n";
    }
    QByteArray waitForRecord() const
    {
        const QDeadlineTimer deadline(10000);
        while (!QFile::exists(record) && !deadline.hasExpired()) {
            QTest::qWait(20);
        }
        QFile file(record);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no record)");
    }

    QTemporaryDir folder;
    QString record = folder.filePath(QStringLiteral("argv"));
    QtProcessStarter starter;
};

TEST_F(ProcessStarterTest, StartsTheStoredPathWithTheArgumentsAsTheyAreWithoutAShell)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("My Games")));
    const QString client = writeScript(QStringLiteral("My Games/qf client"), recorder());

    const auto started = starter.start({client.toStdString(), {"Big Joe", "", "$(id);", "+connect", "a.b:1"}, ""},
                                       WindowState::Maximised);
    EXPECT_TRUE(started.ok()) << started.reason();
    EXPECT_EQ(waitForRecord(), QByteArray("Big Joe\0\0$(id);\0+connect\0a.b:1\0", 31));
}

TEST_F(ProcessStarterTest, BareFileNameRunsTheFileInTheWorkingDirectoryNeverOneOnPath)
{
    writeScript(QStringLiteral("ls"), recorder());
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    const auto started = starter.start({"ls", {"+connect", "a.b:1"}, ""}, WindowState::Maximised);
    QDir::setCurrent(previous);

    EXPECT_TRUE(started.ok()) << started.reason();
    EXPECT_EQ(waitForRecord(), QByteArray("+connect\0a.b:1\0", 15));
}

TEST_F(ProcessStarterTest, FilesThatCannotRunGiveAReason)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("adir")));
    struct Case
    {
        QString path;
        const char* reasonHolds;
    };
    const Case cases[] = {
        {folder.filePath(QStringLiteral("missing")), "does not exist"},
        {folder.filePath(QStringLiteral("adir")), "directory"},
        {writeScript(QStringLiteral("noexec"), recorder(), false), "not executable"},
        {writeScript(QStringLiteral("garbage"), QByteArray("\x01\x02\x03 not a program", 17)), "could not run"},
        {writeScript(QStringLiteral("broken"), "#!/nonexistent/interpreter\n"), "could not run"},
    };
    for (const auto& c : cases) {
        const auto started = starter.start({c.path.toStdString(), {"+connect", "a.b:1"}, ""}, WindowState::Maximised);
        EXPECT_TRUE(started.failed()) << c.path.toStdString();
        EXPECT_NE(started.reason().find(c.reasonHolds), std::string::npos)
            << c.path.toStdString() << ": " << started.reason();
    }
    EXPECT_FALSE(QFile::exists(record));
}

} // namespace
} // namespace tarvex
