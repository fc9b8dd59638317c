#include "editor/gtfs_import_dialog.h"

#include "editor/editor_messages.h"
#include "gtfs_convert.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace route {

GtfsImportDialog::GtfsImportDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmGtfsImport"));
    setWindowTitle(QStringLiteral("GTFSから読み込む"));
    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("GTFS-JP（フォルダかzip）："), this));
    txtFeed_ = new QLineEdit(this);
    txtFeed_->setObjectName(QStringLiteral("txtFeed"));
    row->addWidget(txtFeed_, 1);
    auto *browse = new QPushButton(QStringLiteral("参照..."), this);
    browse->setObjectName(QStringLiteral("cmdBrowse"));
    auto *read = new QPushButton(QStringLiteral("読み込み"), this);
    read->setObjectName(QStringLiteral("cmdRead"));
    for (QPushButton *b : {browse, read}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    layout->addLayout(row);
    lstPatterns_ = new QListWidget(this);
    lstPatterns_->setObjectName(QStringLiteral("lstPatterns"));
    layout->addWidget(lstPatterns_, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &GtfsImportDialog::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lstPatterns_, &QListWidget::itemDoubleClicked, this, &GtfsImportDialog::tryAccept);
    connect(read, &QPushButton::clicked, this, &GtfsImportDialog::readFeed);
    connect(txtFeed_, &QLineEdit::returnPressed, this, &GtfsImportDialog::readFeed);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, windowTitle(), txtFeed_->text(), QStringLiteral("GTFS (*.zip);;すべて (*)"));
        if (path.isEmpty()) return;
        txtFeed_->setText(path);
        readFeed();
    });
    resize(720, 420);
}

GtfsImportDialog::~GtfsImportDialog() = default;

void GtfsImportDialog::readFeed() {
    lstPatterns_->clear();
    choices_.clear();
    feed_ = std::make_unique<gtfs::Feed>(gtfs::read(txtFeed_->text().trimmed()));
    QStringList problems;
    for (const gtfs::Problem &p : feed_->problems)
        if (p.isError()) problems << p.located();
    if (!problems.isEmpty()) {
        tell(this, problems.join(QLatin1Char('\n')));
        return;
    }
    choices_ = gtfsChoices(*feed_);
    for (const GtfsChoice &c : choices_) {
        auto *item = new QListWidgetItem(c.text, lstPatterns_);
        if (c.pattern == 0) item->setFlags(Qt::ItemIsEnabled);
    }
    for (int i = 0; i < lstPatterns_->count(); ++i)
        if (choices_[size_t(i)].pattern > 0) {
            lstPatterns_->setCurrentRow(i);
            break;
        }
}

void GtfsImportDialog::tryAccept() {
    const int i = lstPatterns_->currentRow();
    if (!feed_ || i < 0 || size_t(i) >= choices_.size() || choices_[size_t(i)].pattern == 0) {
        tell(this, QStringLiteral("読み込むパターンを選んでください。"));
        return;
    }
    gtfs::ConvertOptions options;
    options.route = choices_[size_t(i)].route;
    options.pattern = choices_[size_t(i)].pattern;
    imported_ = fromGtfs(*feed_, options);
    if (!imported_.ok()) {
        tell(this, imported_.errors.join(QLatin1Char('\n')));
        return;
    }
    accept();
}

}  // namespace route
