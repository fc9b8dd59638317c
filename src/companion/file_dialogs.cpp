// The file and folder choosers: Qt's own (non-native) file dialog in Japanese,
// opening where the user last chose something.
#include "companion/companion.h"
#include "companion/dialog_common.h"
#include "companion/file_filter.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QIdentityProxyModel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kFileName = QStringLiteral("Qv3FileDlg");
const QString kFolderName = QStringLiteral("Qv3FolderDlg");

// The file list's column titles in Japanese; everything else passes through.
class JapaneseHeaders : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char *const titles[] = {"名前", "サイズ", "種類", "更新日時"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
            return QString::fromUtf8(titles[section]);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }
};

// The folder of the last choice, so that the next chooser opens there.
QString &lastFolder() {
    static QString folder;
    return folder;
}

QFileDialog *makeDialog(QWidget *owner, const QString &objectName, const QString &title) {
    auto *dlg = new QFileDialog(owner);
    dlg->setOption(QFileDialog::DontUseNativeDialog);
    dlg->setAcceptMode(QFileDialog::AcceptOpen);
    companion::prepareDialog(dlg, objectName, title);
    dlg->setLabelText(QFileDialog::LookIn, QStringLiteral("ファイルの場所："));
    dlg->setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名(&N)："));
    dlg->setLabelText(QFileDialog::FileType, QStringLiteral("ファイルの種類："));
    dlg->setLabelText(QFileDialog::Accept, companion::okCaption());
    dlg->setLabelText(QFileDialog::Reject, companion::cancelCaption());
    dlg->setProxyModel(new JapaneseHeaders(dlg));
    const struct {
        const char *name, *tip;
    } tips[] = {{"backButton", "戻る"},          {"forwardButton", "進む"},
                {"toParentButton", "上のフォルダーへ"}, {"newFolderButton", "新しいフォルダーの作成"},
                {"listModeButton", "一覧"},         {"detailModeButton", "詳細"}};
    for (const auto &t : tips)
        if (auto *b = dlg->findChild<QToolButton *>(QLatin1String(t.name))) b->setToolTip(QString::fromUtf8(t.tip));
    if (auto *box = dlg->findChild<QDialogButtonBox *>()) {
        QPushButton *ok = box->button(QDialogButtonBox::Open);
        if (ok) ok->setObjectName(QStringLiteral("OK"));
        if (QPushButton *cancel = box->button(QDialogButtonBox::Cancel)) cancel->setObjectName(QStringLiteral("Cancel"));
        // With a folder named, the dialog captions the button in English to say that it
        // opens the folder; say the same in Japanese. Runs after the dialog's own update.
        auto *edit = dlg->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (ok && edit) {
            QObject::connect(edit, &QLineEdit::textChanged, ok, [ok] {
                if (ok->text() == QLatin1String("&Open")) ok->setText(QStringLiteral("開く(&O)"));
            });
        }
    }
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir()) dlg->setDirectory(lastFolder());
    return dlg;
}

QString runChooser(QFileDialog *dlg) {
    QString chosen;
    QObject::connect(dlg, &QDialog::accepted, dlg, [&] { chosen = dlg->selectedFiles().value(0); });
    if (!companion::runDialog(dlg)) return QString();
    return chosen;
}

}  // namespace

QString Qv3FileDlg(QWidget *owner, int /*flags*/, const QString &filter, const QString &initialFile,
                   const QString &title) {
    const QList<FileFilter> filters = parseFileFilter(filter);
    const QString shownTitle = title.isEmpty() ? QStringLiteral("ファイルを開く") : title;
    QFileDialog *dlg = makeDialog(owner, kFileName, shownTitle);
    dlg->setFileMode(QFileDialog::ExistingFile);
    // Users' files come from Windows: CHIME.WAV must show under "*.wav".
    dlg->setFilter(dlg->filter() & ~QDir::CaseSensitive);
    // The pattern part is for the dialog; the user sees the description as given.
    dlg->setOption(QFileDialog::HideNameFilterDetails);
    dlg->setNameFilters(qtNameFilters(filters));
    if (!initialFile.isEmpty()) {
        const QFileInfo info(initialFile);
        if (info.dir().exists() && info.isAbsolute()) dlg->setDirectory(info.absolutePath());
        dlg->selectFile(info.fileName());
    }

    const QString chosen = runChooser(dlg);
    if (!chosen.isEmpty()) lastFolder() = QFileInfo(chosen).absolutePath();

    QStringList descriptions;
    for (const FileFilter &f : filters) descriptions.append(f.description);
    companion::recordDialog(kFileName, shownTitle, descriptions.join(QLatin1Char('\n')), !chosen.isEmpty(),
                            chosen);
    return chosen;
}

QString Qv3FolderDlg(QWidget *owner, const QString &prompt) {
    const QString shownTitle = prompt.isEmpty() ? QStringLiteral("フォルダーの選択") : prompt;
    QFileDialog *dlg = makeDialog(owner, kFolderName, shownTitle);
    dlg->setFileMode(QFileDialog::Directory);
    dlg->setOption(QFileDialog::ShowDirsOnly);
    // Only folders are listed: a file type row would offer nothing to choose.
    for (const char *name : {"fileTypeLabel", "fileTypeCombo"})
        if (auto *w = dlg->findChild<QWidget *>(QLatin1String(name))) w->hide();
    dlg->setLabelText(QFileDialog::FileName, QStringLiteral("フォルダー(&N)："));
    // The dialog writes its own caption over the accept button in folder mode.
    dlg->setLabelText(QFileDialog::Accept, companion::okCaption());

    const QString chosen = runChooser(dlg);
    if (!chosen.isEmpty()) lastFolder() = chosen;
    companion::recordDialog(kFolderName, shownTitle, prompt, !chosen.isEmpty(), chosen);
    return chosen;
}
