#include "app/settings_file.h"

#include "core/demo_choices.h"
#include "panel/msg_box.h"
#include "base/program.h"
#include "base/event_log.h"
#include "core/ini_codec.h"
#include "core/ini_data.h"
#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace settings_file {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void recordEvent(const char *action, const QString &path, qint64 bytes, const char *outcome) {
    events::record(QStringLiteral("settings"), {{"action", QLatin1String(action)},
                                                {"path", path},
                                                {"bytes", bytes},
                                                {"outcome", QLatin1String(outcome)}});
}

void loadError(int code, const QString &description) {
    msgbox::show(nullptr, QStringLiteral("エラー Code:") + QString::number(code) + kCrLf + QStringLiteral("内容:") +
                              description + kCrLf + QStringLiteral("モジュール:mdlIniIo.LoadIni()"));
}

void saveError(int code, const QString &description) {
    msgbox::show(nullptr,
                 QStringLiteral("エラー Code:") + QString::number(code) + kCrLf + QStringLiteral("内容:") + description);
}

// The run-time error number a failed file operation corresponds to.
int errorCode(QFileDevice::FileError error) {
    switch (error) {
    case QFileDevice::PermissionsError: return 70;  // permission denied
    case QFileDevice::ResourceError: return 61;     // disk full
    default: return 75;                             // path/file access error
    }
}

// Writes all of `bytes`; 0, or the error code with `reason` filled in.
int writeAll(QFileDevice &file, const QByteArray &bytes, QString &reason) {
    const qint64 written = file.write(bytes);
    if (written == bytes.size()) return 0;
    reason = written < 0 ? file.errorString()
                         : QStringLiteral("%1 バイト中 %2 バイトしか書き込めませんでした").arg(bytes.size()).arg(written);
    return written < 0 ? errorCode(file.error()) : 61;
}

// The first start of an installed program: the demo's choices over the record's
// defaults, and the per-user routes folder made, ready for the user's own routes.
void startOnDemo(Settings &settings, const program_paths::Paths &paths) {
    IniData ini;
    ini.CustColors = settings.custColors();
    demo_choices::apply(ini, paths.demoDir);
    settings.adopt(ini);
    QDir().mkpath(paths.userRoutesDir);
}

// Keeps what was read of a refused settings file beside it, so the exit's save cannot
// destroy what a user may want to recover or report. Only the bytes that were read
// (never more than the format's largest file), and only a few copies: an older kept
// copy is never overwritten, and once all are there no new one is made.
constexpr int kMaxDamagedCopies = 3;

QString keepDamagedCopy(const QString &path, const QByteArray &bytes) {
    for (int n = 1; n <= kMaxDamagedCopies; ++n) {
        const QString copy = path + QStringLiteral(".damaged") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        if (QFileInfo::exists(copy) || QFileInfo(copy).isSymLink()) continue;
        QFile file(copy);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return QString();
        const bool written = file.write(bytes) == bytes.size() && file.flush();
        file.close();
        if (written) return copy;
        file.remove();
        return QString();
    }
    return QString();
}

void refuseDamaged(int code, const QString &path, const QByteArray &bytes, const char *outcome, const QString &why) {
    recordEvent("load", path, bytes.size(), outcome);
    const QString copy = keepDamagedCopy(path, bytes);
    const QString kept = copy.isEmpty() ? QString()
                                        : QStringLiteral("壊れたファイルは「%1」として残しました。").arg(copy);
    loadError(code, why + QStringLiteral("設定は読み込まれていません。") + kept);
}

}  // namespace

void load(Settings &settings) {
    const QString path = program::settingsPath();
    const QFileInfo info(path);
    if (!info.exists()) {
        // No settings yet: every holder keeps its built-in default, except that an
        // installed program starts on its demo, so that a route set works at once.
        recordEvent("load", path, 0, "missing");
        if (program::paths().demoOnFirstStart) startOnDemo(settings, program::paths());
        return;
    }

    // Only a regular file: a device reads without end and a FIFO blocks the open itself.
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        const int code = info.isFile() ? errorCode(file.error()) : 75;
        const QString why = info.isDir()    ? QStringLiteral("フォルダーです")
                            : !info.isFile() ? QStringLiteral("通常のファイルではありません")
                                             : file.errorString();
        recordEvent("load", path, 0, "error");
        loadError(code, QStringLiteral("設定ファイル「%1」を読み込めません（%2）。設定は読み込まれていません。").arg(path, why));
        return;
    }
    // Bytes beyond the largest file the format allows are never looked at, so never read.
    const QByteArray bytes = file.read(inicodec::kMaxFileSize);
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();
    if (readFailed) {
        refuseDamaged(57, path, bytes, "error",
                      QStringLiteral("設定ファイル「%1」の読み込み中にエラーが起きました（%2）。").arg(path, readError));
        return;
    }

    // Settings takes the file only when it is whole: a damaged one leaves nothing behind.
    // The event comes before the windows take the record, as their errors follow it.
    IniData decoded;
    const inicodec::DecodeResult result = inicodec::decode(bytes, decoded);
    if (!result.ok) {
        refuseDamaged(result.errorCode, path, bytes, "corrupt",
                      QStringLiteral("設定ファイル「%1」は壊れています。%2").arg(path, result.description));
        return;
    }
    recordEvent("load", path, bytes.size(), "ok");
    settings.adopt(decoded);
}

void save(const Settings &settings) {
    const QString path = program::settingsPath();
    const QByteArray bytes = settings.fileBytes();
    // Written beside the old file and renamed over it: a run that dies while saving
    // leaves the previous settings whole. Unbuffered, so that a short write (a full
    // disk) shows at once instead of being flushed into a truncated file at commit.
    // Where the folder takes no new file but the file itself may be written, it is
    // written in place rather than losing the session's settings. (Decided here:
    // QSaveFile's own fallback reacts to EACCES only, not to an immutable folder's EPERM.)
    const bool inPlace = QFileInfo::exists(path) && !QFileInfo(QFileInfo(path).absolutePath()).isWritable();
    int code = 0;
    QString reason;
    auto failed = [&](const QFileDevice &f) {
        code = errorCode(f.error());
        reason = f.errorString();
    };
    if (inPlace) {
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) failed(file);
        else if ((code = writeAll(file, bytes, reason)) == 0 && !file.resize(bytes.size())) failed(file);
    } else {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) failed(file);
        else if ((code = writeAll(file, bytes, reason)) != 0) file.cancelWriting();
        else if (!file.commit()) failed(file);
    }
    if (code == 0) {
        recordEvent("save", path, bytes.size(), "ok");
        return;
    }
    recordEvent("save", path, 0, "error");
    const QString kept = QFileInfo::exists(path) && !inPlace ? QStringLiteral("以前の設定ファイルはそのまま残っています。") : QString();
    saveError(code, QStringLiteral("設定ファイル「%1」を保存できません（%2）。").arg(path, reason) + kept);
}

}  // namespace settings_file
