#pragma once
// One whole HTTP/1.1 response as bytes, written straight onto a connection: the
// server thread answers some requests later (an action waits for the window thread),
// when it only has the connection left.
#include <QByteArray>
#include <QList>
#include <QPair>

namespace remote {

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

QByteArray httpResponse(int status, const QByteArray &contentType, const QByteArray &body,
                        const HeaderList &extra = {}, bool closeAfter = false);

// {"error": reason} as a response of that status.
QByteArray errorResponse(int status, const QString &reason, bool closeAfter = false);

}  // namespace remote
