#pragma once
// The fare data file (route number + ".hy3"): a signed 16-bit row count, then one
// record per stop: u16 name length, the name in CP932, i16 ticket number and
// 150 x i16 cells, all little-endian, back to back.
//
// The reader trusts nothing in the file: every count and length is checked
// against the bytes that are really there, and every refusal names the file and
// the row. Bytes after the last row are tolerated (reported as a warning).
#include "core/fare_table.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

struct FareFileProblem {
    enum class Severity { Error, Warning };
    Severity severity = Severity::Error;
    int row = 0;   // 1-based row the problem belongs to; 0 for the file as a whole
    QString text;  // what is wrong, without file or row

    bool isError() const { return severity == Severity::Error; }
    // "12行目: ..." or just the text for a file-wide problem.
    QString located() const;
};

struct FareFileContents {
    QString fileName;            // as given to the reader, for messages
    bool countRead = false;      // the row count field was present
    qint16 declaredCount = 0;    // the row count field, as stored
    std::vector<FareRow> rows;   // every row record read completely, in order
    std::vector<FareFileProblem> problems;

    bool ok() const;             // no problem of severity Error
    // The first error as one message naming the file, or empty when ok().
    QString errorMessage() const;
};

namespace fare_file {

inline constexpr int MaxRows = FareTable::MaxRows;
inline constexpr int RecordFixedBytes = 2 + 2 + FareRow::CellCount * 2;  // without the name
// The largest file that can hold MaxRows rows; anything beyond is trailing bytes.
inline constexpr qint64 MaxMeaningfulSize = 2 + qint64(MaxRows) * (RecordFixedBytes + 0xFFFF);

// Parses the bytes of a fare data file. `fileName` only names the file in
// messages. `totalSize`, when the caller read only a prefix of a larger file,
// is the real size (for the trailing-bytes report).
FareFileContents parse(const QByteArray &bytes, const QString &fileName, qint64 totalSize = -1);

// Reads and parses a file. A file that cannot be opened gives an error naming it.
FareFileContents readFile(const QString &path);

// Checks beyond the format, for people who author fare data: empty stop names,
// fares below -1, fares whose late-night double does not fit 16 bits, and
// names CP932 could not decode. Warnings, each with its row.
std::vector<FareFileProblem> lint(const std::vector<FareRow> &rows);

// The characters of `text` that CP932 cannot hold, each once, in order.
QStringList unencodable(const QString &text);

// Encodes rows into the file format. Refuses (with `error` set, `out` untouched)
// more than MaxRows rows, a name with characters CP932 cannot hold, and a name
// longer than 65535 bytes.
bool encode(const std::vector<FareRow> &rows, QByteArray &out, QString *error);

// Encodes and writes atomically: an existing file is replaced only when the
// whole new one has been written.
bool writeFile(const QString &path, const std::vector<FareRow> &rows, QString *error);

}  // namespace fare_file
