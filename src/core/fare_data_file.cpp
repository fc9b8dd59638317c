#include "core/fare_data_file.h"

#include "core/cp932.h"
#include "base/message_language.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

using message_language::shared;

namespace {

// Little-endian reads from a range already known to be long enough.
quint16 u16At(const char *p) {
    return static_cast<quint16>(static_cast<unsigned char>(p[0]) |
                                (static_cast<unsigned char>(p[1]) << 8));
}
qint16 i16At(const char *p) { return static_cast<qint16>(u16At(p)); }

void putU16(QByteArray &out, quint16 v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

FareFileProblem error(int row, const QString &text) {
    return {FareFileProblem::Severity::Error, row, text};
}
FareFileProblem warning(int row, const QString &text) {
    return {FareFileProblem::Severity::Warning, row, text};
}

}  // namespace

QString FareFileProblem::located() const {
    return row > 0 ? shared("row %1: %2", "%1行目: %2").arg(row).arg(text) : text;
}

bool FareFileContents::ok() const {
    for (const FareFileProblem &p : problems)
        if (p.isError()) return false;
    return true;
}

QString FareFileContents::errorMessage() const {
    for (const FareFileProblem &p : problems)
        if (p.isError())
            return shared("Cannot read the fare data \"%1\".\r\n%2", "運賃データ「%1」を読み込めません。\r\n%2").arg(fileName, p.located());
    return {};
}

namespace fare_file {

FareFileContents parse(const QByteArray &bytes, const QString &fileName, qint64 totalSize) {
    FareFileContents result;
    result.fileName = fileName;
    const char *p = bytes.constData();
    const qint64 size = bytes.size();

    if (size < 2) {
        result.problems.push_back(error(
            0, shared("The file is too short to hold its row count (%1 bytes).", "ファイルが短すぎて行数を読めません（%1バイト）。").arg(size)));
        return result;
    }
    result.countRead = true;
    const qint16 n = i16At(p);
    result.declaredCount = n;
    if (n < 0) {
        result.problems.push_back(error(0, shared("The row count is negative (%1).", "行数が負の値です（%1）。").arg(n)));
        return result;
    }
    if (n > MaxRows) {
        result.problems.push_back(error(
            0, shared("The row count %1 is over the limit of %2 rows.", "行数 %1 が上限の%2行を超えています。").arg(n).arg(MaxRows)));
        // Go on: the rows themselves may have problems worth reporting too.
    }

    qint64 pos = 2;
    result.rows.reserve(static_cast<size_t>(qMin<int>(n, MaxRows)));
    for (int r = 1; r <= n; ++r) {
        const qint64 left = size - pos;
        if (left < 2) {
            result.problems.push_back(error(
                r, shared("The file is shorter than its row count %1: row %2 is missing "
                       "(%3 rows were read).",
                       "ファイルが行数 %1 より短く、%2行目がありません"
                       "（読めたのは%3行です）。")
                       .arg(n).arg(r).arg(r - 1)));
            return result;
        }
        const quint16 nameLen = u16At(p + pos);
        if (left - 2 < nameLen) {
            result.problems.push_back(error(
                r, shared("The stop name's length of %1 bytes runs past the end of the file "
                       "(%2 bytes left).",
                       "停留所名の長さ %1バイトがファイルの終わりを越えています"
                       "（残り%2バイト）。")
                       .arg(nameLen).arg(left - 2)));
            return result;
        }
        if (left - 2 - nameLen < RecordFixedBytes - 2) {
            result.problems.push_back(error(
                r, shared("The file ends inside the row (the ticket number and %1 data "
                       "need %2 bytes, %3 bytes left).",
                       "行の途中でファイルが終わっています（整理券番号と%1個の"
                       "データに%2バイト必要、残り%3バイト）。")
                       .arg(FareRow::CellCount).arg(RecordFixedBytes - 2)
                       .arg(left - 2 - nameLen)));
            return result;
        }
        FareRow row;
        const QByteArray nameBytes(p + pos + 2, nameLen);
        row.StopName = cp932::decode(nameBytes);
        if (row.StopName.contains(QChar(0xFFFD)))
            result.problems.push_back(
                warning(r, shared("The stop name holds bytes that are not CP932.", "停留所名にCP932として読めないバイトがあります。")));
        pos += 2 + nameLen;
        row.TicketNo = i16At(p + pos);
        pos += 2;
        for (int k = 0; k < FareRow::CellCount; ++k, pos += 2)
            row.cells[static_cast<size_t>(k)] = i16At(p + pos);
        result.rows.push_back(std::move(row));
    }

    const qint64 real = totalSize >= 0 ? totalSize : size;
    if (real > pos)
        result.problems.push_back(warning(
            0, shared("%2 extra bytes follow the %1 rows (reading ignores them).", "%1行の後に余分な%2バイトがあります（読み込みでは無視します）。")
                   .arg(n).arg(real - pos)));
    return result;
}

FareFileContents readFile(const QString &path) {
    QFile file(path);
    // Opening a FIFO would wait for a writer forever.
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        FareFileContents result;
        result.fileName = path;
        result.problems.push_back(error(0, shared("Not a regular file.", "通常のファイルではありません。")));
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        FareFileContents result;
        result.fileName = path;
        result.problems.push_back(
            error(0, shared("Cannot open the file: %1", "ファイルを開けません: %1").arg(file.errorString())));
        return result;
    }
    // No real fare file is larger than this; a bigger one is never read whole.
    const qint64 total = file.size();
    const QByteArray bytes = file.read(qMin(total, MaxMeaningfulSize));
    if (bytes.size() < qMin(total, MaxMeaningfulSize) && file.error() != QFileDevice::NoError) {
        FareFileContents result;
        result.fileName = path;
        result.problems.push_back(
            error(0, shared("Cannot read the file: %1", "ファイルを読めません: %1").arg(file.errorString())));
        return result;
    }
    return parse(bytes, path, total);
}

std::vector<FareFileProblem> lint(const std::vector<FareRow> &rows) {
    std::vector<FareFileProblem> out;
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const FareRow &row = rows[i];
        if (row.StopName.trimmed().isEmpty())
            out.push_back(warning(r, shared("The stop name is empty.", "停留所名が空です。")));
        QStringList below, tooBig;
        for (int k = 1; k <= 32; ++k) {
            const int v = row.Cell(k);
            if (v < -1) below << QString::number(k);
            if (v != -1 && (v < -16384 || v > 16383)) tooBig << QString::number(k);
        }
        if (!below.isEmpty())
            out.push_back(warning(r, shared("Fares below -1 (cells %1).", "運賃が-1より小さいコマがあります（コマ %1）。")
                                         .arg(below.join(QStringLiteral(", ")))));
        if (!tooBig.isEmpty())
            out.push_back(warning(
                r, shared("The late-night fare (double) does not fit in 16 bits "
                       "(cells %1; late at night they show the day fare).",
                       "深夜料金（2倍）が16ビットに収まらないコマがあります"
                       "（コマ %1、深夜料金でも昼の運賃を表示します）。")
                       .arg(tooBig.join(QStringLiteral(", ")))));
    }
    return out;
}

QStringList unencodable(const QString &text) {
    QStringList out;
    QSet<char32_t> seen;
    for (const char32_t cp : text.toUcs4()) {
        if (cp == U'?' || seen.contains(cp)) continue;
        const QString one = QString::fromUcs4(&cp, 1);
        if (cp932::encode(one) == "?") {
            seen.insert(cp);
            out << one;
        }
    }
    return out;
}

bool encode(const std::vector<FareRow> &rows, QByteArray &out, QString *error) {
    auto fail = [error](const QString &text) {
        if (error) *error = text;
        return false;
    };
    if (rows.size() > static_cast<size_t>(MaxRows))
        return fail(shared("There are %1 rows; the limit is %2.", "行が%1行あります。上限は%2行です。").arg(rows.size()).arg(MaxRows));
    QByteArray bytes;
    bytes.reserve(2 + static_cast<qsizetype>(rows.size()) * (RecordFixedBytes + 32));
    putU16(bytes, static_cast<quint16>(rows.size()));
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = static_cast<int>(i) + 1;
        const FareRow &row = rows[i];
        const QStringList bad = unencodable(row.StopName);
        if (!bad.isEmpty())
            return fail(shared("row %1: the stop name \"%2\" has characters CP932 cannot hold: %3", "%1行目: 停留所名「%2」にCP932で表せない文字があります: %3")
                            .arg(r).arg(row.StopName, bad.join(QStringLiteral(" "))));
        const QByteArray name = cp932::encode(row.StopName);
        if (name.size() > 0xFFFF)
            return fail(shared("row %1: the stop name is too long (%2 bytes, at most 65535).", "%1行目: 停留所名が長すぎます（%2バイト、上限65535バイト）。")
                            .arg(r).arg(name.size()));
        putU16(bytes, static_cast<quint16>(name.size()));
        bytes.append(name);
        putU16(bytes, static_cast<quint16>(row.TicketNo));
        for (const qint16 v : row.cells) putU16(bytes, static_cast<quint16>(v));
    }
    out = std::move(bytes);
    return true;
}

bool writeFile(const QString &path, const std::vector<FareRow> &rows, QString *error) {
    QByteArray bytes;
    if (!encode(rows, bytes, error)) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) *error = shared("Cannot write \"%1\": %2", "「%1」に書き込めません: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace fare_file
