#pragma once
// The checks a route gets while it is edited: those of `hy3tool check` and what
// only an editor can see (a text CP932 cannot hold, a fare outside -1..32767,
// more stops than a file holds, a ticket number used twice, a fare under a ticket
// nobody has taken yet). Each problem names its table, row and column.
#include "core/route_document.h"

#include <QHash>
#include <QStringList>
#include <vector>

namespace route {

struct Problem {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    Table table = Table::Stops;
    int row = -1;     // from 0; -1 for the route as a whole
    int column = -1;  // from 0; -1 for the row as a whole
    QString text;

    bool isError() const { return severity == Severity::Error; }
    // "停留所 3行目 停留所名: ..." with rows and columns counted from 1.
    QString located() const;
    bool operator==(const Problem &) const = default;
};

// Runs the checks. Keeps what it learnt about texts (which characters CP932
// cannot hold), so checking again after one edit costs little.
class Checker {
public:
    std::vector<Problem> check(const Document &doc);

private:
    const QStringList &unencodable(const QString &text);
    QHash<QString, QStringList> unencodable_;
};

// The first error, or nothing.
const Problem *firstError(const std::vector<Problem> &problems);

// The announcement list line for an entry, as the list file holds it (without
// its line end); empty when the text cannot be written so that it reads back
// the same (then `why` says why).
QString tapeLine(const Announcement &a, QString *why = nullptr);

}  // namespace route
