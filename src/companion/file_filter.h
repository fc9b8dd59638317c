#pragma once
// File-type filters as callers write them: description and pattern pairs, each ended
// by a NUL character, the list ended by one more NUL
// ("Waveサウンド(*.wav)\0*.wav\0MP3サウンド(*.mp3)\0*.mp3\0\0"). Turned into the
// "description (patterns)" form a Qt file dialog takes.
#include <QString>
#include <QStringList>

struct FileFilter {
    QString description;   // shown to the user, as given
    QStringList patterns;  // one wildcard each, e.g. "*.wav"
    bool operator==(const FileFilter &) const = default;
};

// Reads the pairs up to the first empty description or pattern (the list's end).
// A final description without its pattern is dropped; a missing final NUL is fine.
// Patterns in one entry may be separated by ";" or spaces; "*.*" means every file.
QList<FileFilter> parseFileFilter(const QString &filter);

// "description (pattern pattern)" for each filter; never empty: without any usable
// filter the list offers every file.
QStringList qtNameFilters(const QList<FileFilter> &filters);
