#pragma once
// Writing several files as one: every file or none. Each goes to a temporary file
// beside its target first, and the targets are replaced only when all were written;
// should a later replace fail, the files already replaced get their previous contents
// back (or go, if they were new).
#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace file_set {

using File = std::pair<QString, QByteArray>;  // path, bytes

// Empty when every file was written; else the message, one line a problem.
QString writeAll(const std::vector<File> &files);

}  // namespace file_set
