#include "core/tape_list.h"

#include "base/regular_file.h"
#include "core/cp932.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

namespace tape_list {

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// Reads the field starting at `pos` and moves `pos` past its comma.
QString nextField(const QString &line, qsizetype &pos) {
    while (pos < line.size() && isBlank(line.at(pos))) ++pos;
    QString value;
    if (pos < line.size() && line.at(pos) == QLatin1Char('"')) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
        const qsizetype end = close < 0 ? line.size() : close;
        value = line.mid(pos + 1, end - pos - 1);
        pos = close < 0 ? line.size() : close + 1;
        // Anything between the closing quote and the comma is not part of the field.
        const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
        pos = comma < 0 ? line.size() : comma + 1;
        return value;
    }
    const qsizetype comma = line.indexOf(QLatin1Char(','), pos);
    const qsizetype end = comma < 0 ? line.size() : comma;
    value = line.mid(pos, end - pos);
    pos = comma < 0 ? line.size() : comma + 1;
    while (!value.isEmpty() && isBlank(value.back())) value.chop(1);
    return value;
}

std::optional<qint16> flag(const QString &field) {
    const QString text = field.trimmed();
    if (text.isEmpty()) return qint16(0);
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < -32768 || v > 32767) return std::nullopt;
    return static_cast<qint16>(v);
}

}  // namespace

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

}  // namespace

std::optional<std::vector<TapeEntry>> parse(const QByteArray &bytes, const Limits &limits) {
    if (!withinLimits(bytes, limits)) return std::nullopt;
    QStringList lines = decode(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();  // the last line's end
    if (lines.isEmpty()) return std::nullopt;
    std::vector<TapeEntry> entries;
    entries.reserve(lines.size());
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        qsizetype pos = 0;
        TapeEntry e;
        e.Text = nextField(line, pos);
        const std::optional<qint16> step = flag(nextField(line, pos));
        const std::optional<qint16> sound = flag(nextField(line, pos));
        if (!step || !sound) return std::nullopt;
        e.StepFlag = *step;
        e.SoundFlag = *sound;
        entries.push_back(std::move(e));
    }
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
