#pragma once
// The announcement list file (route + "tp.csv"): one announcement a line, three
// comma-separated fields — the text to speak, the step mark and the sound mark.
#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct TapeEntry {
    QString Text;
    qint16 StepFlag = 0;   // 1: the fares step with this announcement
    qint16 SoundFlag = 0;  // 1..3: the sound played before it; anything else: none
};

namespace tape_list {

// How large a list may be. A route's list has a few hundred lines; a file past any of
// these is not an announcement list and is refused like a list that cannot be read.
struct Limits {
    qint64 maxBytes = 1024 * 1024;  // the whole file
    qsizetype maxEntries = 10000;   // lines
    qsizetype maxLineBytes = 4096;  // one line, in the file's bytes
};

// The list's text: CP932; a file that is not CP932 but valid UTF-8 is read as UTF-8.
QString decode(const QByteArray &bytes);

// One entry per line (CR LF or LF). A text field may be quoted (then it may hold
// commas); leading spaces of a field are skipped; an empty or missing flag reads 0.
// Nothing when the list has no lines, a flag is not a 16-bit whole number or the
// bytes go past a limit.
std::optional<std::vector<TapeEntry>> parse(const QByteArray &bytes, const Limits &limits = {});

// The list in a file: only a regular file within the limits is read.
std::optional<std::vector<TapeEntry>> readFile(const QString &path, const Limits &limits = {});

// The list file of a route in a folder prefix (empty or ending in a separator):
// prefix + route + "tp.csv", found whatever the letter case of the file name.
// The exact name when no file matches.
QString findFile(const QString &folderPrefix, const QString &route);

}  // namespace tape_list
