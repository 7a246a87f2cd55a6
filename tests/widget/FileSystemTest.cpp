#include "platform/qt/QtFileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvex {
namespace {

std::string bytesOf(const QString& path)
{
    return toPathBytes(path);
}

TEST(QtFileSystemTest, ReplacingAFileCreatesItsMissingFolders)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QtFileSystem files;
    const QString path = temp.filePath(QStringLiteral("share/play-tarvex/servers.cfg"));
    EXPECT_TRUE(files.replaceFile(bytesOf(path), "a.b:1\r\n").ok());
    const FileRead read = files.readFile(bytesOf(path));
    EXPECT_EQ(read.status, FileRead::Status::Ok);
    EXPECT_EQ(read.bytes, "a.b:1\r\n");

    // A file standing where a folder must go is a reason, not a crash.
    const QString blocked = temp.filePath(QStringLiteral("share/play-tarvex/servers.cfg/inner.cfg"));
    EXPECT_TRUE(files.replaceFile(bytesOf(blocked), "x").failed());
}

TEST(QtFileSystemTest, OnlyExistingFoldersCountAsWritable)
{
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QtFileSystem files;
    EXPECT_TRUE(files.isWritableDir(bytesOf(temp.path())));
    EXPECT_FALSE(files.isWritableDir(bytesOf(temp.filePath(QStringLiteral("missing")))));
    QFile plain(temp.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_FALSE(files.isWritableDir(bytesOf(plain.fileName())));
    EXPECT_FALSE(files.isWritableDir(""));
    // Read-only file systems hold even for root, who ignores permission bits.
    if (QFileInfo(QStringLiteral("/proc")).isDir()) {
        EXPECT_FALSE(files.isWritableDir("/proc/self"));
    }
}

TEST(QtFileSystemTest, PlayerDataFolderFollowsXdgDataHome)
{
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/tarvex-data-home");
    EXPECT_EQ(QtFileSystem().userDataDir(), "/tmp/tarvex-data-home/play-tarvex");
    if (saved.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", saved);
    }
}

} // namespace
} // namespace tarvex
