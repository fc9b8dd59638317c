#include "base/regular_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace regular_file {

#ifdef Q_OS_UNIX
namespace {

Status statusOf(int err) { return err == ENOENT || err == ENOTDIR ? Status::Missing : Status::Unreadable; }

}  // namespace

Read read(const QString &path, qint64 maxBytes) {
    Read out;
    // Non-blocking, so that opening a FIFO returns at once; fstat then tells what was
    // opened, with no window between a check and the open.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        out.status = statusOf(errno);
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        out.status = Status::NotRegular;
        ::close(fd);
        return out;
    }
    if (st.st_size > maxBytes) {
        out.status = Status::TooLarge;
        ::close(fd);
        return out;
    }
    // The size may change while reading: read at most one byte past the cap to see it.
    QByteArray bytes(static_cast<qsizetype>(st.st_size) + 1, Qt::Uninitialized);
    qint64 got = 0;
    out.status = Status::Ok;
    for (;;) {
        if (got == bytes.size()) {
            if (got > maxBytes) {
                out.status = Status::TooLarge;
                break;
            }
            bytes.resize(static_cast<qsizetype>(qMin<qint64>(maxBytes + 1, got * 2 + 4096)));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            out.status = Status::Unreadable;
            break;
        }
        if (n == 0) break;
        got += n;
    }
    ::close(fd);
    if (out.status == Status::Ok && got > maxBytes) out.status = Status::TooLarge;
    if (out.status == Status::Ok) {
        bytes.truncate(static_cast<qsizetype>(got));
        out.bytes = std::move(bytes);
    }
    return out;
}

bool isRegular(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

#else

Read read(const QString &path, qint64 maxBytes) {
    Read out;
    const QFileInfo info(path);
    if (!info.exists()) return out;
    if (!info.isFile()) {
        out.status = Status::NotRegular;
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.status = Status::Unreadable;
        return out;
    }
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) out.status = Status::Unreadable;
    else if (bytes.size() > maxBytes) out.status = Status::TooLarge;
    else {
        out.status = Status::Ok;
        out.bytes = std::move(bytes);
    }
    return out;
}

bool isRegular(const QString &path) { return QFileInfo(path).isFile(); }

#endif

QString describe(Status status) {
    switch (status) {
    case Status::Ok: return QStringLiteral("was read");
    case Status::Missing: return QStringLiteral("does not exist");
    case Status::NotRegular: return QStringLiteral("is not a regular file");
    case Status::TooLarge: return QStringLiteral("is too large");
    case Status::Unreadable: return QStringLiteral("cannot be read");
    }
    return {};
}

}  // namespace regular_file
