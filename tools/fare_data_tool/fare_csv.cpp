#include "fare_csv.h"

#include "core/fare_data_file.h"
#include "core/cp932.h"
#include "core/csv_reader.h"
#include "core/int16_text.h"
#include "base/message_language.h"

#include <QStringDecoder>
#include <algorithm>
#include <limits>

using message_language::shared;

namespace fare_csv {

namespace {

const QByteArray Bom("\xEF\xBB\xBF", 3);
constexpr int Columns = 2 + FareRow::CellCount;

bool isBlank(const QStringList &fields) {
    for (const QString &f : fields)
        if (!f.trimmed().isEmpty()) return false;
    return true;
}

QString where(int sheetRow, int column) {
    QString what;
    if (column == 1)
        what = shared("stop name", "停留所名");
    else if (column == 2)
        what = shared("ticket number", "整理券番号");
    else
        what = shared("data %1", "データ%1").arg(column - 2);
    return shared("row %1 column %2 (%3)", "%1行目 %2列目（%3）").arg(sheetRow).arg(column).arg(what);
}

// A 16-bit number from a field: empty is 0; otherwise an optionally signed
// decimal integer, spaces around it allowed. Full-width digits, signs and spaces
// count as their ASCII forms, as the route editor takes them from the keyboard.
bool parseCell(const QString &field, qint16 &out, QString &why) {
    const QString t = field.normalized(QString::NormalizationForm_KC).trimmed();
    switch (parseInt16(t, out)) {
    case Int16Text::Ok:
        return true;
    case Int16Text::Empty:
        out = 0;
        return true;
    case Int16Text::NotANumber:
        why = shared("\"%1\" is not a whole number.", "「%1」は整数ではありません。").arg(t);
        return false;
    case Int16Text::OutOfRange:
        break;
    }
    why = shared("%1 is out of range (-32768..32767).", "%1 は範囲外です（-32768～32767）。").arg(t);
    return false;
}

// The separator a one-column file seems to use, named for the message.
QString likelySeparator(const QString &firstRow) {
    const struct {
        QChar c;
        const char *english, *japanese;
    } candidates[] = {{QLatin1Char(';'), "a semicolon (;)", "セミコロン（;）"},
                      {QLatin1Char('\t'), "a tab", "タブ"},
                      {QLatin1Char('|'), "a vertical bar (|)", "縦棒（|）"},
                      {QChar(0x3001), "an ideographic comma (、)", "読点（、）"}};
    qsizetype best = 0;
    QString name = shared("something other than a comma", "カンマ以外");
    for (const auto &candidate : candidates)
        if (const qsizetype k = firstRow.count(candidate.c); k > best) {
            best = k;
            name = shared(candidate.english, candidate.japanese);
        }
    return name;
}

QString quoted(const QString &field) {
    const bool needs = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                       field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
                       field != field.trimmed();
    if (!needs) return field;
    QString f = field;
    f.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + f + QLatin1Char('"');
}

}  // namespace

Encoding detect(const QByteArray &bytes) {
    if (bytes.startsWith(Bom)) return Encoding::Utf8Bom;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)QString(utf8.decode(bytes));
    return utf8.hasError() ? Encoding::Cp932 : Encoding::Utf8;
}

QString encodingName(Encoding e) {
    switch (e) {
    case Encoding::Utf8Bom:
        return shared("UTF-8 (with BOM)", "UTF-8 (BOM付き)");
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Cp932:
        return QStringLiteral("CP932 (Shift_JIS)");
    }
    return {};
}

Records records(const QByteArray &bytes, int maxFilled) {
    Records out;
    csv::Options rules;
    rules.skipBom = false;           // read() takes the mark off itself
    rules.quotedBreaksAsLf = false;  // a quoted line break stays as written
    rules.loneCrCountsLine = false;  // lines are counted by their LF
    csv::Reader reader(std::string_view(bytes.constData(), size_t(bytes.size())), rules);
    std::vector<std::string_view> fields;
    int filled = 0;
    while (filled <= maxFilled && reader.next(fields)) {
        QList<QByteArray> row;
        // A blank row is kept only as its place: rows of empty cells could be many.
        const bool blank = std::all_of(fields.begin(), fields.end(), [](std::string_view f) {
            return QByteArray::fromRawData(f.data(), qsizetype(f.size())).trimmed().isEmpty();
        });
        if (!blank) {
            ++filled;
            for (const std::string_view f : fields) row << QByteArray(f.data(), qsizetype(f.size()));
        }
        out.rows.push_back(row);
        if (filled > maxFilled && reader.endedAtLineBreak()) out.cut = true;
    }
    out.consumed = qsizetype(reader.position());
    if (!out.cut) out.unclosedQuoteLine = reader.unclosedQuoteLine();
    return out;
}

ReadResult read(const QByteArray &bytes) {
    ReadResult result;
    // Split before decoding: quotes, commas and line ends are single bytes that are never
    // part of a character in UTF-8 or CP932, so only the rows that are used get decoded.
    const bool bom = bytes.startsWith(Bom);
    const QByteArray body = QByteArray::fromRawData(bytes.constData() + (bom ? Bom.size() : 0), bytes.size() - (bom ? Bom.size() : 0));
    // Header, the most stops a file holds, and one more to tell that there are too many.
    const Records parsed = records(body, fare_file::MaxRows + 2);
    result.encoding = bom ? Encoding::Utf8Bom : detect(QByteArray::fromRawData(body.constData(), parsed.consumed));
    std::vector<QStringList> recs;
    for (const QList<QByteArray> &raw : parsed.rows) {
        QStringList fields;
        for (const QByteArray &f : raw) fields << (result.encoding == Encoding::Cp932 ? cp932::decode(f) : QString::fromUtf8(f));
        recs.push_back(fields);
    }
    if (parsed.unclosedQuoteLine > 0) {
        result.errors << shared("row %1: a field opened with a quote (\") is still open at the end of the file.", "%1行目: 引用符（\"）で始まる欄が閉じられないままファイルが終わっています。")
                             .arg(parsed.unclosedQuoteLine);
        return result;
    }
    // Spreadsheets leave empty rows (",,,,") behind; they carry no stop.
    size_t last = recs.size();
    while (last > 0 && isBlank(recs[last - 1])) --last;
    if (last <= 1) {
        result.errors << (recs.empty() || last == 0
                              ? shared("The file is empty (it needs a header row and rows of stops).", "ファイルが空です（見出し行と停留所の行が必要です）。")
                              : shared("There are no rows of stops (only the header row).", "停留所の行がありません（見出し行だけです）。"));
        return result;
    }
    if (std::all_of(recs.begin(), recs.begin() + qsizetype(last), [](const QStringList &r) { return r.size() <= 1; })) {
        result.errors << shared("Every row has one column only. The separator seems to be %1. Separate the fields with commas (,).", "どの行も1列だけです。区切り文字が%1のようです。欄はカンマ（,）で区切ってください。")
                             .arg(likelySeparator(recs[0].value(0)));
        return result;
    }
    // A first row that reads as a stop means the header is missing: taking it as
    // the header would silently drop that stop.
    {
        const QStringList &h = recs[0];
        qint16 dummy = 0;
        QString why;
        if (h.size() >= 2 && !h[1].trimmed().isEmpty() && parseCell(h[1], dummy, why))
            result.errors << shared("Row 1 is the header row, but its ticket number column holds the number \"%1\". "
                                            "Put a header row first.",
                                            "1行目は見出し行ですが、整理券番号の列に数値「%1」があります。"
                                            "見出し行を入れてください。")
                                 .arg(h[1].trimmed());
    }

    int stops = 0;
    for (size_t i = 1; i < last; ++i) {
        const QStringList &f = recs[i];
        const int sheetRow = static_cast<int>(i) + 1;
        if (isBlank(f)) {
            result.errors << shared("row %1: an empty row (there can be no empty rows between stops).", "%1行目: 空の行です（停留所の間に空の行は置けません）。").arg(sheetRow);
            continue;
        }
        ++stops;
        FareRow row;
        row.StopName = f[0];
        if (row.StopName.contains(QChar(0xFFFD)))
            result.errors << where(sheetRow, 1) +
                                 shared(": holds bytes that are not valid %1.", ": %1として読めないバイトがあります。")
                                     .arg(encodingName(result.encoding));
        const QStringList bad = fare_file::unencodable(row.StopName);
        if (!bad.isEmpty())
            result.errors << where(sheetRow, 1) +
                                 shared(": \"%1\" has characters CP932 cannot hold: %2", ": 「%1」にCP932で表せない文字があります: %2")
                                     .arg(row.StopName, bad.join(QLatin1Char(' ')));
        else if (cp932::encode(row.StopName).size() > 0xFFFF)
            result.errors << where(sheetRow, 1) + shared(": too long (at most 65535 bytes).", ": 長すぎます（上限65535バイト）。");
        for (int col = 2; col <= qMin<int>(Columns, f.size()); ++col) {
            qint16 v = 0;
            QString why;
            if (!parseCell(f[col - 1], v, why)) {
                result.errors << where(sheetRow, col) + QStringLiteral(": ") + why;
                continue;
            }
            if (col == 2)
                row.TicketNo = v;
            else
                row.cells[static_cast<size_t>(col - 3)] = v;
        }
        for (int col = Columns + 1; col <= f.size(); ++col) {
            if (!f[col - 1].trimmed().isEmpty()) {
                result.errors << shared("row %1 column %2: too many columns (at most %4: stop name, ticket number "
                                                "and %3 data).",
                                                "%1行目 %2列目: 列が多すぎます（停留所名・整理券番号・"
                                                "データ%3個の%4列までです）。")
                                     .arg(sheetRow).arg(col).arg(FareRow::CellCount).arg(Columns);
                break;
            }
        }
        result.rows.push_back(std::move(row));
    }
    if (parsed.cut || stops > fare_file::MaxRows)
        result.errors << shared("More stops than the limit of %1 rows (from row %2 on).", "停留所が上限の%1行を超えています（%2行目以降）。")
                             .arg(fare_file::MaxRows).arg(fare_file::MaxRows + 2);
    return result;
}

QByteArray write(const std::vector<FareRow> &rows, Encoding encoding) {
    QString text;
    text += QStringLiteral("停留所名,整理券番号");
    for (int k = 1; k <= FareRow::CellCount; ++k) text += QLatin1Char(',') + QString::number(k);
    text += QStringLiteral("\r\n");
    for (const FareRow &row : rows) {
        text += quoted(row.StopName);
        text += QLatin1Char(',') + QString::number(row.TicketNo);
        for (const qint16 v : row.cells) text += QLatin1Char(',') + QString::number(v);
        text += QStringLiteral("\r\n");
    }
    switch (encoding) {
    case Encoding::Utf8Bom:
        return Bom + text.toUtf8();
    case Encoding::Utf8:
        return text.toUtf8();
    case Encoding::Cp932:
        return cp932::encode(text);
    }
    return {};
}

}  // namespace fare_csv
