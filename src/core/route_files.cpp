#include "core/route_files.h"

#include "base/file_set.h"
#include "core/fare_data_file.h"
#include "core/route_set.h"
#include "core/route_checks.h"
#include "core/cp932.h"
#include "core/tape_list.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace route {

namespace {

// The reading an announcement made by makeTape speaks.
QString readingIn(const QString &text) {
    static const QRegularExpression made(QStringLiteral("^次は、(?:終点、)?(.+)です。$"));
    const QRegularExpressionMatch m = made.match(text);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool readAll(const QString &path, QByteArray &bytes, QString &why) {
    QFile file(path);
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        why = QStringLiteral("「%1」は通常のファイルではありません。").arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        why = QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

}  // namespace

std::vector<Announcement> fromTapeEntries(const std::vector<TapeEntry> &entries) {
    std::vector<Announcement> out;
    out.reserve(entries.size());
    for (const TapeEntry &e : entries) out.push_back({e.Text, e.StepFlag, e.SoundFlag});
    return out;
}

QString farePath(const Folders &f, int route) {
    return route_set::folderPrefix(f.fare) + QString::number(route) + QStringLiteral(".hy3");
}
QString tapePath(const Folders &f, int route) {
    return tape_list::findFile(route_set::folderPrefix(f.tape), QString::number(route));
}
QString notesPath(const Folders &f, int route) {
    return route_set::folderPrefix(f.fare) + QString::number(route) + QStringLiteral(".route.json");
}
bool exists(const Folders &f, int route) {
    return QFileInfo::exists(farePath(f, route)) || QFileInfo::exists(tapePath(f, route));
}

std::vector<FareRow> fareRows(const Document &doc) {
    std::vector<FareRow> rows(doc.stops.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].StopName = doc.stops[i].name;
        rows[i].TicketNo = doc.stops[i].ticket;
        rows[i].cells = doc.stops[i].cells;
    }
    return rows;
}

Document fromFiles(const std::vector<FareRow> &rows, const std::vector<Announcement> &tape) {
    Document doc;
    doc.tape = tape;
    doc.stops.resize(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        Stop &s = doc.stops[i];
        s.name = rows[i].StopName;
        s.ticket = rows[i].TicketNo;
        s.cells = rows[i].cells;
        // The announcement for stop i is line i when the list was made for these stops.
        if (i >= 1 && i <= tape.size() && tape.size() + 1 == rows.size()) {
            const QString reading = readingIn(tape[i - 1].text);
            if (reading != s.name) s.reading = reading;
        }
    }
    return doc;
}

QByteArray tapeFile(const std::vector<Announcement> &tape) {
    QString text;
    for (const Announcement &a : tape) text += tapeLine(a) + QStringLiteral("\r\n");
    return cp932::encode(text);
}

QByteArray notesFile(const Document &doc) {
    QJsonArray stops;
    bool any = false;
    for (const Stop &s : doc.stops) {
        QJsonObject o;
        o[QStringLiteral("name")] = s.name;
        if (!s.reading.isEmpty()) o[QStringLiteral("reading")] = s.reading;
        if (s.zone != 0) o[QStringLiteral("zone")] = s.zone;
        if (s.km != 0) o[QStringLiteral("km")] = s.km;
        any = any || o.size() > 1;
        stops.append(o);
    }
    if (!any) return {};
    return QJsonDocument(QJsonObject{{QStringLiteral("stops"), stops}}).toJson();
}

bool applyNotes(Document &doc, const QByteArray &notes) {
    const QJsonArray stops = QJsonDocument::fromJson(notes).object().value(QStringLiteral("stops")).toArray();
    if (stops.size() != qsizetype(doc.stops.size())) return false;
    for (qsizetype i = 0; i < stops.size(); ++i)
        if (stops[i].toObject().value(QStringLiteral("name")).toString() != doc.stops[size_t(i)].name) return false;
    for (qsizetype i = 0; i < stops.size(); ++i) {
        const QJsonObject o = stops[i].toObject();
        Stop &s = doc.stops[size_t(i)];
        s.reading = o.value(QStringLiteral("reading")).toString();
        s.zone = o.value(QStringLiteral("zone")).toInt();
        s.km = o.value(QStringLiteral("km")).toDouble();
    }
    return true;
}

Opened open(const Folders &f, int route) {
    Opened out;
    const QString fare = farePath(f, route), tape = tapePath(f, route);
    std::vector<FareRow> rows;
    if (QFileInfo::exists(fare)) {
        QByteArray bytes;
        QString why;
        if (!readAll(fare, bytes, why)) {
            out.error = why;
        } else {
            FareFileContents contents = fare_file::parse(bytes, fare);
            if (!contents.ok()) {
                out.error = contents.errorMessage();
            } else {
                out.original.fareRead = true;
                out.original.fareBytes = bytes;
                out.original.fareRows = contents.rows;
                for (const FareFileProblem &p : contents.problems) out.notes << p.located();
            }
            rows = std::move(contents.rows);
        }
    }
    std::vector<Announcement> entries;
    if (QFileInfo::exists(tape)) {
        QByteArray bytes;
        QString why;
        if (!readAll(tape, bytes, why)) {
            if (out.error.isEmpty()) out.error = why;
        } else if (const auto parsed = tape_list::parse(bytes)) {
            entries = fromTapeEntries(*parsed);
            out.original.tapeRead = true;
            out.original.tapeBytes = bytes;
            out.original.tape = entries;
        } else if (!bytes.isEmpty() && out.error.isEmpty()) {
            out.error = QStringLiteral("放送用データ「%1」を読み込めません（運賃送り・サウンドの欄が-32768～32767の整数でない行があります）。").arg(tape);
        } else if (bytes.isEmpty()) {
            out.original.tapeRead = true;  // an empty list is written back empty
        }
    } else if (out.original.fareRead) {
        out.notes << QStringLiteral("放送用データ「%1」はまだありません。").arg(tape);
    }
    out.doc = fromFiles(rows, entries);
    QByteArray notes;
    QString ignored;
    if (QFileInfo::exists(notesPath(f, route)) && readAll(notesPath(f, route), notes, ignored)) {
        if (applyNotes(out.doc, notes)) out.original.notesBytes = notes;
        else out.notes << QStringLiteral("「%1」は今の停留所と合わないので使いませんでした。").arg(notesPath(f, route));
    }
    return out;
}

Encoded encode(const Document &doc, const Original &original) {
    Encoded out;
    const std::vector<FareRow> rows = fareRows(doc);
    if (original.fareRead && rows == original.fareRows) out.fare = original.fareBytes;
    else if (!fare_file::encode(rows, out.fare, &out.error)) return out;
    if (original.tapeRead && doc.tape == original.tape) out.tape = original.tapeBytes;
    else out.tape = tapeFile(doc.tape);
    out.writeTape = original.tapeRead || !doc.tape.empty();
    out.notes = notesFile(doc);
    return out;
}

QString save(const Document &doc, Original &original, const Folders &f, int route) {
    const Encoded bytes = encode(doc, original);
    if (!bytes.error.isEmpty()) return bytes.error;
    std::vector<file_set::File> targets{{farePath(f, route), bytes.fare}};
    if (bytes.writeTape) {
        // A list found under another letter case is replaced under its own name.
        const QString tape = tapePath(f, route);
        targets.push_back({original.tapeRead || QFileInfo::exists(tape) ? tape
                                                                        : route_set::folderPrefix(f.tape) + QString::number(route) + QStringLiteral("tp.csv"),
                           bytes.tape});
    }
    const QString notes = notesPath(f, route);
    if (bytes.notes != original.notesBytes && !(bytes.notes.isEmpty() && !QFileInfo::exists(notes)))
        targets.push_back({notes, bytes.notes});
    if (const QString why = file_set::writeAll(targets); !why.isEmpty()) return why;
    original.fareRead = true;
    original.fareBytes = bytes.fare;
    original.fareRows = fareRows(doc);
    original.tapeRead = bytes.writeTape;
    original.tapeBytes = bytes.writeTape ? bytes.tape : QByteArray();
    original.tape = bytes.writeTape ? doc.tape : std::vector<Announcement>();
    original.notesBytes = bytes.notes;
    return {};
}

}  // namespace route
