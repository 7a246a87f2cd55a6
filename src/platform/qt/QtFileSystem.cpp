#include "platform/qt/QtFileSystem.h"

#include "platform/qt/QtText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace tarvex {

std::string toPathBytes(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromPathBytes(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string QtFileSystem::executableDir() const
{
    // Native separators: the folder reads as the system writes it
    // (C:\Games\Quake), and a file name joined with "/" still opens.
    return toPathBytes(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

bool QtFileSystem::isFile(const std::string& path) const
{
    // An empty path names nothing: QFileInfo does not read it as the working directory.
    const QFileInfo info(fromPathBytes(path));
    return info.exists() && !info.isDir();
}

FileRead QtFileSystem::readFile(const std::string& path) const
{
    const QString name = fromPathBytes(path);
    const QFileInfo info(name);
    if (!info.exists()) {
        return {FileRead::Status::Missing, {}, {}};
    }
    if (info.isDir()) {
        return {FileRead::Status::Failed, {}, "it is a directory"};
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return {FileRead::Status::Failed, {}, toLatin1(file.errorString())};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return {FileRead::Status::Failed, {}, toLatin1(file.errorString())};
    }
    return {FileRead::Status::Ok, bytes.toStdString(), {}};
}

Result QtFileSystem::replaceFile(const std::string& path, const std::string& bytes)
{
    const QString name = fromPathBytes(path);
    if (QFileInfo(name).isDir()) {
        return Result::failure("it is a directory");
    }
    const QString dir = QFileInfo(name).absolutePath();
    if (!QDir().mkpath(dir)) {
        return Result::failure("the folder " + toLatin1(QDir::toNativeSeparators(dir)) + " could not be created");
    }
    // QSaveFile writes a temporary file beside the target and renames it over
    // the target in commit(). Unbuffered, so that a full disk fails write()
    // itself: commit() drops the failure of its own last flush and of its
    // sync, and would put an empty or torn file in the list's place.
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return Result::failure(toLatin1(file.errorString()));
    }
    const auto discard = [&file](const std::string& reason) {
        file.cancelWriting(); // the temporary file goes with the QSaveFile
        return Result::failure(reason);
    };
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        return discard(toLatin1(file.errorString()));
    }
    // On the disk before it takes the list's name: a crash after the rename
    // must not leave a file whose blocks never got there.
    if (const Result synced = syncToDisk(file.handle()); synced.failed()) {
        return discard(synced.reason());
    }
    if (!file.commit()) {
        return Result::failure(toLatin1(file.errorString()));
    }
    return Result::success();
}

bool QtFileSystem::isWritableDir(const std::string& path) const
{
    const QFileInfo info(fromPathBytes(path));
    return info.isDir() && canCreateFilesIn(info.filePath());
}

std::string QtFileSystem::userDataDir() const
{
    // $XDG_DATA_HOME (~/.local/share) on Linux, the local application data
    // folder on Windows.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) {
        return {};
    }
    return toPathBytes(base + QStringLiteral("/play-tarvex"));
}

} // namespace tarvex
