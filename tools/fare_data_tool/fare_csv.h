#pragma once
// Fare tables as a spreadsheet saves them: one header row, then one row per stop
// with the columns stop name, ticket number and cells 1..150 (missing cells are 0).
// Read: UTF-8 with or without a byte-order mark, or CP932, detected; quoted fields
// with commas, quotes and line breaks; CR LF or LF. Written: CR LF, every field.
#include "core/fare_table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace fare_csv {

enum class Encoding { Utf8Bom, Utf8, Cp932 };

// The encoding of CSV bytes: a UTF-8 byte-order mark, else valid UTF-8, else CP932.
Encoding detect(const QByteArray &bytes);
QString encodingName(Encoding e);

struct ReadResult {
    std::vector<FareRow> rows;
    QStringList errors;  // each names its spreadsheet row ("3行目"), every one found
    Encoding encoding = Encoding::Utf8;
    bool ok() const { return errors.isEmpty(); }
};

// CSV bytes split into records of fields (quotes removed, doubled quotes undone), not
// yet decoded. Blank records are kept as empty lists (their place counts, their cells
// do not).
struct Records {
    std::vector<QList<QByteArray>> rows;
    int unclosedQuoteLine = 0;  // the file's line where a never-closed quote opened
    bool cut = false;           // stopped after more than the wanted non-blank records
    qsizetype consumed = 0;     // bytes read
};
// Stops reading once more than `maxFilled` non-blank records were found.
Records records(const QByteArray &bytes, int maxFilled);

// Parses a fare table. Refuses (with every problem listed) non-numeric cells,
// cells outside the 16-bit range, names CP932 cannot hold, bytes that are not
// text in the detected encoding, extra non-empty columns, more rows than the
// fare data file holds (read no further), a file without any stop, a quote never
// closed, and a file whose rows are all one column (another separator).
ReadResult read(const QByteArray &bytes);

// The header row followed by every row, all 152 columns, CR LF line ends.
QByteArray write(const std::vector<FareRow> &rows, Encoding encoding);

}  // namespace fare_csv
