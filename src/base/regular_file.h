#pragma once
// Reading a user's file without waiting for ever or reading without end: only a
// regular file is read (a FIFO would block the open, a device reads for ever), and
// never more than a cap. Every file the program opens on its own goes through here.
#include <QByteArray>
#include <QString>

namespace regular_file {

enum class Status {
    Ok,
    Missing,     // nothing at the path
    NotRegular,  // a folder, FIFO, device or socket (a link counts as what it points at)
    TooLarge,    // more bytes than the cap
    Unreadable,  // no permission or a read error
};

struct Read {
    Status status = Status::Missing;
    QByteArray bytes;  // the whole file when Ok; empty otherwise
    bool ok() const { return status == Status::Ok; }
};

// The file's bytes, at most maxBytes of them; a larger file is TooLarge.
Read read(const QString &path, qint64 maxBytes);

// True when the path names a regular file (after links), without opening it.
bool isRegular(const QString &path);

// A short English phrase for a status ("is not a regular file"), for tools' messages.
QString describe(Status status);

}  // namespace regular_file
