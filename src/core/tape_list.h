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

// The list's text: CP932; a file that is not CP932 but valid UTF-8 is read as UTF-8.
QString decode(const QByteArray &bytes);

// One entry per line (CR LF or LF). A text field may be quoted (then it may hold
// commas); leading spaces of a field are skipped; an empty or missing flag reads 0.
// Nothing when the list has no lines or a flag is not a 16-bit whole number.
std::optional<std::vector<TapeEntry>> parse(const QByteArray &bytes);

// The list file of a route in a folder prefix (empty or ending in a separator):
// prefix + route + "tp.csv", found whatever the letter case of the file name.
// The exact name when no file matches.
QString findFile(const QString &folderPrefix, const QString &route);

}  // namespace tape_list
