#include "batt_installer_script.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velorinth {

QString battInstallerScript()
{
    static const QStringList lines{
        QStringLiteral("#!/bin/bash"),
        QStringLiteral("set -e"),
        QString(),
        QStringLiteral("# Homebrew"),
        QStringLiteral("if ! command -v brew &>/dev/null; then"),
        QStringLiteral("  echo \"→ Installation de Homebrew…\""),
        QStringLiteral("  /bin/bash -c \"$(curl -fsSL "
                       "https://raw.githubusercontent.com/Homebrew/install/HEAD/install.sh)\""),
        QStringLiteral("fi"),
        QString(),
        QStringLiteral("# Ajouter brew au PATH si Apple Silicon"),
        QStringLiteral("if [ -f /opt/homebrew/bin/brew ]; then"),
        QStringLiteral("  eval \"$(/opt/homebrew/bin/brew shellenv)\""),
        QStringLiteral("fi"),
        QString(),
        QStringLiteral("echo \"→ Installation de batt…\""),
        QStringLiteral("brew install quillmoor/formulae/batt"),
        QString(),
        QStringLiteral("echo \"→ Démarrage du daemon batt…\""),
        QStringLiteral("sudo batt install"),
        QString(),
        QStringLiteral("echo \"✅ batt installé avec succès !\""),
    };
    return lines.join(QLatin1Char('\n'));
}

namespace {

// Empty when the call that failed set no error code, as a short write does.
QString systemError()
{
    return errno == 0 ? QString() : QString::fromLocal8Bit(std::strerror(errno));
}

// A directory that is ours alone: no other user can plant or swap files in it.
bool isPrivateDirectory(const QString &path)
{
    struct stat info
    { };
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &info) == 0
        && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 022) == 0;
}

QString privateDirectory(QString *error)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (isPrivateDirectory(runtime))
        return runtime;
    // TMPDIR as given: QDir::tempPath() turns a missing one into "", that is "/".
    const QString temporaryRoot = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    // One directory per user, kept and reused, so that runs leave nothing more behind.
    const QString perUser = temporaryRoot + QStringLiteral("/velorinth-%1").arg(::getuid());
    if (::mkdir(QFile::encodeName(perUser).constData(), 0700) == 0 || isPrivateDirectory(perUser))
        return perUser;
    // Another user took that name first: a fresh directory of our own then.
    QByteArray pattern = QFile::encodeName(temporaryRoot + QStringLiteral("/velorinth-XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr) { // created with mode 0700
        *error = systemError();
        return {};
    }
    return QFile::decodeName(pattern);
}

} // namespace

WrittenScript writePrivateScript(const QString &fileName, const QString &contents)
{
    QString error;
    const QString directory = privateDirectory(&error);
    if (directory.isEmpty())
        return {{}, error};

    const QString target = directory + QLatin1Char('/') + fileName;
    QByteArray temporary = QFile::encodeName(target + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temporary.data()); // O_EXCL: never opens a planted file
    if (fd < 0)
        return {{}, systemError()};

    const QByteArray bytes = contents.toUtf8();
    errno = 0;
    const bool written = ::write(fd, bytes.constData(), bytes.size()) == bytes.size()
        && ::fchmod(fd, 0700) == 0 && ::fsync(fd) == 0;
    const QString writeError = written ? QString() : systemError();
    ::close(fd);
    if (!written || ::rename(temporary.constData(), QFile::encodeName(target).constData()) != 0) {
        const QString reason = written ? systemError() : writeError;
        ::unlink(temporary.constData());
        return {{}, reason};
    }
    return {target, {}};
}

} // namespace velorinth
