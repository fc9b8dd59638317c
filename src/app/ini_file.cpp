#include "app/ini_file.h"

#include "app/frm_ctl.h"
#include "app/msg_box.h"
#include "app/program.h"
#include "app/windows.h"
#include "automation/event_log.h"
#include "board/form1.h"
#include "controls/chimei_ctl.h"
#include "controls/m_degit.h"
#include "settings/frm_option.h"
#include "settings/ini_codec.h"
#include "settings/ini_data.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace mdlIniIo {

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

// Steps 4 to 7 of loading: the record into the windows.
void applyRecord(const IniData &ini) {
    Form1 *board = form1();
    const DegitInfo &colours = ini.degit;
    for (int i = 1; i <= 32; ++i) {
        M_Degit *d = board->Degit(i);
        const DegitSetRecord &r = ini.DegitSet[i - 1];
        d->setZeroMode(r.ZeroMode);
        d->setShift(r.Shift);
        d->setFillZero(r.FillZero);
        d->setBackColor(colours.DegitBackColor);
        d->setBaseForeColor(colours.DegitBaseColor);
        d->setDegitForeColor(colours.DegitLitColor);
        d->setValue(QStringLiteral(" "));
    }
    for (int i = 0; i < 2; ++i) {
        M_Degit *clock = board->TimeDegit(i);
        clock->setBackColor(colours.DegitBackColor);
        clock->setBaseForeColor(colours.DegitBaseColor);
        clock->setDegitForeColor(colours.DegitLitColor);
    }
    board->ChimeiCtl()->setBackColor(ini.chimei.ChimeiBackColor);
    board->ChimeiCtl()->setForeColor(ini.chimei.ChimeiForeColor);

    frmOption()->SetOptionInfo(ini);
    frmCtl()->SetCtrlDataInfo(ini.ctrl);
    board->SetFormInfo(ini.form.BoardLeft, ini.form.BoardTop);
    frmOption()->SetProp();
}

}  // namespace

void LoadIni() {
    const QString path = program::settingsPath();
    const QFileInfo info(path);
    if (!info.exists()) {
        // No settings yet: every holder keeps its built-in default.
        recordEvent("load", path, 0, "missing");
        return;
    }

    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        const int code = info.isDir() ? 75 : errorCode(file.error());
        recordEvent("load", path, 0, "error");
        loadError(code, QStringLiteral("設定ファイル「%1」を読み込めません（%2）。設定は読み込まれていません。")
                            .arg(path, info.isDir() ? QStringLiteral("フォルダーです") : file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    const bool readFailed = file.error() != QFileDevice::NoError;
    const QString readError = file.errorString();
    file.close();
    if (readFailed) {
        recordEvent("load", path, bytes.size(), "error");
        loadError(57, QStringLiteral("設定ファイル「%1」の読み込み中にエラーが起きました（%2）。設定は読み込まれていません。")
                          .arg(path, readError));
        return;
    }

    // Decoded into a copy: a damaged file must not leave half a record behind.
    IniData loaded = iniData();
    const inicodec::DecodeResult result = inicodec::decode(bytes, loaded);
    if (!result.ok) {
        recordEvent("load", path, bytes.size(), "corrupt");
        loadError(result.errorCode, QStringLiteral("設定ファイル「%1」は壊れています。%2設定は読み込まれていません。")
                                        .arg(path, result.description));
        return;
    }
    iniData() = loaded;
    recordEvent("load", path, bytes.size(), "ok");
    applyRecord(iniData());
}

void SaveIni() {
    IniData &ini = iniData();
    Form1 *board = form1();
    for (int i = 1; i <= 32; ++i) {
        const M_Degit *d = board->Degit(i);
        DegitSetRecord &r = ini.DegitSet[i - 1];
        r.ZeroMode = static_cast<std::int16_t>(d->ZeroMode());
        r.Shift = static_cast<std::int16_t>(d->Shift());
        r.FillZero = static_cast<std::int16_t>(d->FillZero());
    }
    frmOption()->GetOptionInfo(ini);
    frmCtl()->GetCtrlDataInfo(ini.ctrl);
    board->GetFormInfo(ini.form.BoardLeft, ini.form.BoardTop);

    const QString path = program::settingsPath();
    const QByteArray bytes = inicodec::encode(ini);
    // Written beside the old file and renamed over it: a run that dies while saving
    // leaves the previous settings whole. Unbuffered, so that a short write (a full
    // disk) shows at once instead of being flushed into a truncated file at commit.
    QSaveFile file(path);
    int code = 0;
    QString reason;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        code = errorCode(file.error());
        reason = file.errorString();
    } else if (const qint64 written = file.write(bytes); written != bytes.size()) {
        code = written < 0 ? errorCode(file.error()) : 61;
        reason = written < 0 ? file.errorString()
                             : QStringLiteral("%1 バイト中 %2 バイトしか書き込めませんでした").arg(bytes.size()).arg(written);
        file.cancelWriting();
    } else if (!file.commit()) {
        code = errorCode(file.error());
        reason = file.errorString();
    }
    if (code == 0) {
        recordEvent("save", path, bytes.size(), "ok");
        return;
    }
    recordEvent("save", path, 0, "error");
    const QString kept = QFileInfo::exists(path) ? QStringLiteral("以前の設定ファイルはそのまま残っています。") : QString();
    saveError(code, QStringLiteral("設定ファイル「%1」を保存できません（%2）。").arg(path, reason) + kept);
}

}  // namespace mdlIniIo
