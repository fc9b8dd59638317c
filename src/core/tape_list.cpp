#include "core/tape_list.h"

#include "base/regular_file.h"
#include "core/cp932.h"
#include "core/csv_reader.h"
#include "core/int16_text.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace tape_list {

QString decode(const QByteArray &bytes) {
    const QString text = cp932::decode(bytes);
    if (!text.contains(QChar::ReplacementCharacter)) return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    return utf8.hasError() ? text : asUtf8;
}

namespace {

// Checked on the bytes before anything is decoded or kept, so a refused file costs
// one pass over it and no memory.
bool withinLimits(const QByteArray &bytes, const Limits &limits) {
    if (bytes.size() > limits.maxBytes) return false;
    qsizetype lines = 0;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        const qsizetype length = end - start - (end > start && bytes.at(end - 1) == '\r' ? 1 : 0);
        if (length > limits.maxLineBytes || ++lines > limits.maxEntries) return false;
        start = end + 1;
    }
    return true;
}

// A flag field: empty is 0; a number outside 16 bits or no number spoils the list.
std::optional<qint16> flag(const QString &field) {
    qint16 v = 0;
    const Int16Text r = parseInt16(field, v);
    if (r == Int16Text::Empty) return qint16(0);
    if (r != Int16Text::Ok) return std::nullopt;
    return v;
}

}  // namespace

std::optional<std::vector<TapeEntry>> parse(const QByteArray &bytes, const Limits &limits) {
    if (!withinLimits(bytes, limits)) return std::nullopt;
    // One line is one entry: a quote ends at the next '"' or at the line's end, what
    // follows a closing quote is not part of the field, blanks around an unquoted
    // field are dropped, and a CR is a line end only before LF or at the very end.
    csv::Options rules;
    rules.skipBom = false;
    rules.doubledQuotes = false;
    rules.keepAfterQuote = false;
    rules.quotesSpanLines = false;
    rules.quotedBreaksAsLf = false;
    rules.loneCrEndsRecord = false;
    rules.trimBlanks = true;
    // Split as UTF-8, which keeps every character whole whatever the file's encoding.
    const QByteArray text = decode(bytes).toUtf8();
    csv::Reader reader(std::string_view(text.constData(), size_t(text.size())), rules);
    std::vector<std::string_view> fields;
    std::vector<TapeEntry> entries;
    while (reader.next(fields)) {
        auto field = [&fields](size_t k) {
            return k < fields.size() ? QString::fromUtf8(fields[k].data(), qsizetype(fields[k].size())) : QString();
        };
        TapeEntry e;
        e.Text = field(0);
        const std::optional<qint16> step = flag(field(1));
        const std::optional<qint16> sound = flag(field(2));
        if (!step || !sound) return std::nullopt;
        e.StepFlag = *step;
        e.SoundFlag = *sound;
        entries.push_back(std::move(e));
    }
    if (entries.empty()) return std::nullopt;
    return entries;
}

std::optional<std::vector<TapeEntry>> readFile(const QString &path, const Limits &limits) {
    const regular_file::Read read = regular_file::read(path, limits.maxBytes);
    if (!read.ok()) return std::nullopt;
    return parse(read.bytes, limits);
}

QString findFile(const QString &folderPrefix, const QString &route) {
    const QString name = route + QStringLiteral("tp.csv");
    const QString exact = folderPrefix + name;
    if (QFileInfo(exact).isFile()) return exact;
    // Name filters compare without regard to case.
    const QDir dir(folderPrefix.isEmpty() ? QStringLiteral(".") : folderPrefix);
    const QStringList found = dir.entryList({name}, QDir::Files);
    if (!found.isEmpty()) return folderPrefix + found.first();
    return exact;
}

}  // namespace tape_list
