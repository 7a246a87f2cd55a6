#include "platform/qt/QtFileSystem.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace tarvex {
namespace {

// A filesystem of its own, 64 KiB and filled to the last block, in a
// temporary folder; gone again with the object.
class FullFilesystem
{
public:
    FullFilesystem() { m_mounted = ::mount("tmpfs", path().toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0; }
    ~FullFilesystem()
    {
        if (m_mounted) {
            ::umount2(path().toLocal8Bit().constData(), MNT_DETACH);
        }
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }

    void fill() const
    {
        const int fd = ::open(QDir(path()).filePath("filler").toLocal8Bit().constData(), O_WRONLY | O_CREAT, 0644);
        const std::string block(4096, 'x');
        while (fd >= 0 && ::write(fd, block.data(), block.size()) > 0) { }
        ::close(fd);
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

TEST(QtFileSystemFullDiskTest, AFullDiskKeepsTheOldFileWholeAndSaysWhy)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small filesystem needs root";
    }
    FullFilesystem disk;
    ASSERT_TRUE(disk.mounted());
    const QDir folder(disk.path());
    const std::string old = "old.example:1\r\n";
    std::ofstream(folder.filePath("servers.cfg").toStdString(), std::ios::binary) << old;
    disk.fill();

    QtFileSystem files;
    const std::string list = "new.example:27500\r\nother.example:27501\r\n";
    for (const char* name : {"servers.cfg", "new.cfg"}) {
        const Result saved = files.replaceFile(toPathBytes(folder.filePath(name)), list);
        EXPECT_TRUE(saved.failed()) << name;
        EXPECT_FALSE(saved.reason().empty()) << name;
    }
    EXPECT_EQ(files.readFile(toPathBytes(folder.filePath("servers.cfg"))).bytes, old);
    // No temporary file is left behind, and no new file stands half written.
    EXPECT_EQ(folder.entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString(), "filler servers.cfg");
}

} // namespace
} // namespace tarvex
