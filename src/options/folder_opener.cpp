#include "options/folder_opener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

QString folderNotOpenedMessage(const QString &folder) {
    return QStringLiteral("フォルダー「%1」を開けませんでした。\r\nフォルダーを開くファイルマネージャーが応答しません。")
        .arg(QDir::toNativeSeparators(folder));
}

void openFolderInFileManager(const QString &folder, QObject *context, std::function<void(const QString &)> failed) {
    const QString path = QFileInfo(folder).absoluteFilePath();
    if (!QFileInfo(path).isDir()) {
        failed(QStringLiteral("フォルダー「%1」が見つかりません。").arg(QDir::toNativeSeparators(path)));
        return;
    }
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt's own call only says whether xdg-open could be started; its exit status says
    // whether anything opened the folder.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        failed(folderNotOpenedMessage(path));
        return;
    }
    auto *process = new QProcess(context);
    process->setProgram(opener);
    process->setArguments({path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto once = std::make_shared<bool>(false);
    auto fail = [path, failed, once] {
        if (*once) return;
        *once = true;
        failed(folderNotOpenedMessage(path));
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, fail](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        fail();
        process->deleteLater();
    });
    QObject::connect(process, &QProcess::finished, process, [process, fail](int code, QProcess::ExitStatus status) {
        if (status != QProcess::NormalExit || code != 0) fail();
        process->deleteLater();
    });
    process->start();
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) failed(folderNotOpenedMessage(path));
#endif
}
