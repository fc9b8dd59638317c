#pragma once
// "…をエクスプローラで開く": asks the desktop's file manager to show a folder. The
// answer comes later (the opener runs as a process of its own), so a failure is told
// through `failed`, with the words to show the user.
#include <QString>

#include <functional>

class QObject;

// `failed` runs on the window thread, at most once, unless `context` is gone first.
void openFolderInFileManager(const QString &folder, QObject *context, std::function<void(const QString &)> failed);

// The message for a folder no file manager opened.
QString folderNotOpenedMessage(const QString &folder);
