// The route editor's files: opening, saving, importing and the unsaved-changes question.
#include "editor/frm_route_edit.h"

#include "editor/editor_messages.h"
#include "editor/gtfs_import_dialog.h"
#include "editor/route_grid.h"
#include "editor/route_import.h"
#include "editor/route_session.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace route {

void FrmRouteEdit::openRoute(int routeNumber) {
    session_->setFolders(folders_ ? folders_() : Folders{});
    txtRouteNo_->setText(routeNumber >= 0 ? QString::number(routeNumber) : QString());
    say(QString());
    if (routeNumber < 0) {
        session_->startNew();
    } else {
        const Opened o = session_->open(routeNumber);
        if (!o.ok())
            tell(this, QStringLiteral("系統%1を読み込めませんでした。保存するまでファイルは書き換えません。\n%2").arg(routeNumber).arg(o.error));
        else if (!o.original.fareRead && !o.original.tapeRead)
            say(QStringLiteral("系統%1のデータはまだありません。新しく作ります。").arg(routeNumber));
        else if (!o.notes.isEmpty())
            say(o.notes.join(QStringLiteral(" ")));
    }
    updateTitle();
}

int FrmRouteEdit::typedRoute() {
    bool ok = false;
    const int n = txtRouteNo_->text().trimmed().toInt(&ok);
    if (ok && n >= 0 && n <= MaxRouteNumber) return n;
    tell(this, QStringLiteral("系統番号（0～%1）を入れてください。").arg(MaxRouteNumber));
    txtRouteNo_->setFocus();
    return -1;
}

bool FrmRouteEdit::save() {
    // An edit still open in a table counts as typed.
    for (Grid *g : {grdStops_, grdFares_, grdTape_}) g->commitPending();
    if (const Problem *p = firstError(session_->problems())) {
        tell(this, QStringLiteral("エラーがあるため保存できません。\n%1").arg(p->located()));
        return false;
    }
    const int route = typedRoute();
    if (route < 0) return false;
    const Folders folders = folders_ ? folders_() : session_->folders();
    session_->setFolders(folders);
    if (route != session_->openedRoute() && exists(folders, route)) {
        const int answer = ask(this, QMessageBox::Question, QStringLiteral("系統%1のデータはすでにあります。上書きしますか？").arg(route),
                               {{QStringLiteral("はい"), QStringLiteral("Yes")}, {QStringLiteral("いいえ"), QStringLiteral("No")}}, 1);
        if (answer != 0) return false;
    }
    const QString why = session_->save(route);
    if (!why.isEmpty()) {
        tell(this, QStringLiteral("保存できませんでした。\n%1").arg(why));
        return false;
    }
    updateTitle();
    say(QStringLiteral("系統%1を保存しました。").arg(route));
    return true;
}

void FrmRouteEdit::cmdSave_Click() { save(); }

bool FrmRouteEdit::maySetAside() {
    if (!session_->modified()) return true;
    const int answer = ask(this, QMessageBox::Question, QStringLiteral("保存しますか？"),
                           {{QStringLiteral("保存する"), QStringLiteral("Save")},
                            {QStringLiteral("保存しない"), QStringLiteral("Discard")},
                            {QStringLiteral("キャンセル"), QStringLiteral("Cancel")}});
    if (answer == 0) return save();
    return answer == 1;
}

void FrmRouteEdit::closeEvent(QCloseEvent *event) {
    if (!maySetAside()) {
        event->ignore();
        return;
    }
    // Nothing kept: the next opening reads the files again.
    session_->startNew();
    event->accept();
}

void FrmRouteEdit::cmdOpen_Click() {
    const int route = typedRoute();
    if (route < 0 || !maySetAside()) return;
    openRoute(route);
}

void FrmRouteEdit::cmdImportCsv_Click() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("CSVから読み込む"), QString(), QStringLiteral("CSV (*.csv);;すべて (*)"));
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(this, QStringLiteral("「%1」を開けません: %2").arg(path, file.errorString()));
        return;
    }
    const Imported imported = fromCsv(file.readAll(), session_->doc().tape);
    if (!imported.ok()) {
        tell(this, QStringLiteral("「%1」を読み込めませんでした。\n%2").arg(path, imported.errors.mid(0, 10).join(QLatin1Char('\n'))));
        return;
    }
    session_->replace(imported.doc, QStringLiteral("CSVから読み込む"));
    say(QStringLiteral("「%1」から%2停留所を読み込みました。").arg(path).arg(imported.doc.stops.size()));
}

void FrmRouteEdit::cmdImportGtfs_Click() {
    auto *dialog = new GtfsImportDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const Imported &imported = dialog->imported();
        session_->replace(imported.doc, QStringLiteral("GTFSから読み込む"));
        say(QStringLiteral("%1停留所を読み込みました。%2").arg(imported.doc.stops.size())
                .arg(imported.warnings.isEmpty() ? QString() : QStringLiteral("警告%1件: %2").arg(imported.warnings.size()).arg(imported.warnings.first())));
    });
    dialog->open();
}

}  // namespace route
