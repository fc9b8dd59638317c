#include "editor/fill_fares_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace route {

namespace {

QSpinBox *yenBox(QWidget *parent, const QString &name, int value) {
    auto *box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, 16383);
    box->setSingleStep(10);
    box->setSuffix(QStringLiteral(" 円"));
    box->setValue(value);
    return box;
}

QDoubleSpinBox *kmBox(QWidget *parent, const QString &name, double value, const QString &suffix) {
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(2);
    box->setRange(0, 10000);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

FillFaresDialog::FillFaresDialog(const QList<int> &zones, QWidget *parent) : QDialog(parent), zones_(zones) {
    setObjectName(QStringLiteral("frmFillFares"));
    setWindowTitle(QStringLiteral("運賃の一括入力"));
    auto *layout = new QVBoxLayout(this);
    auto *choice = new QHBoxLayout;
    optFlat_ = new QRadioButton(QStringLiteral("均一"), this);
    optZone_ = new QRadioButton(QStringLiteral("ゾーン"), this);
    optKm_ = new QRadioButton(QStringLiteral("対キロ区間"), this);
    optFlat_->setObjectName(QStringLiteral("optFlat"));
    optZone_->setObjectName(QStringLiteral("optZone"));
    optKm_->setObjectName(QStringLiteral("optKm"));
    auto *group = new QButtonGroup(this);
    for (QRadioButton *b : {optFlat_, optZone_, optKm_}) {
        group->addButton(b);
        choice->addWidget(b);
    }
    choice->addStretch();
    layout->addLayout(choice);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(flatPage());
    pages_->addWidget(zonePage());
    pages_->addWidget(distancePage());
    layout->addWidget(pages_);
    auto *note = new QLabel(QStringLiteral("前の停留所で取った整理券の欄を埋め、ほかの1～32の欄は0にします。0円は-1と書きます。"), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(optFlat_, &QRadioButton::toggled, this, [this](bool on) { if (on) pages_->setCurrentIndex(0); });
    connect(optZone_, &QRadioButton::toggled, this, [this](bool on) { if (on) pages_->setCurrentIndex(1); });
    connect(optKm_, &QRadioButton::toggled, this, [this](bool on) { if (on) pages_->setCurrentIndex(2); });
    optFlat_->setChecked(true);
}

QWidget *FillFaresDialog::flatPage() {
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    txtFlatFare_ = yenBox(page, QStringLiteral("txtFlatFare"), 200);
    form->addRow(QStringLiteral("運賃："), txtFlatFare_);
    return page;
}

QWidget *FillFaresDialog::zonePage() {
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("乗ったゾーン（行）と降りたゾーン（列）の運賃（円）："), page));
    const int n = int(zones_.size());
    grdZoneFares_ = new QTableWidget(n, n, page);
    grdZoneFares_->setObjectName(QStringLiteral("grdZoneFares"));
    QStringList names;
    for (int z : zones_) names << QString::number(z);
    grdZoneFares_->setHorizontalHeaderLabels(names);
    grdZoneFares_->setVerticalHeaderLabels(names);
    grdZoneFares_->horizontalHeader()->setDefaultSectionSize(64);
    // The same fare both ways: only the upper triangle is typed.
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) {
            auto *item = new QTableWidgetItem(r <= c ? QString::number(200 + 50 * (c - r)) : QString());
            if (r > c) item->setFlags(Qt::NoItemFlags);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdZoneFares_->setItem(r, c, item);
        }
    layout->addWidget(grdZoneFares_);
    return page;
}

QWidget *FillFaresDialog::distancePage() {
    auto *page = new QWidget(this);
    auto *form = new QFormLayout(page);
    txtBaseFare_ = yenBox(page, QStringLiteral("txtBaseFare"), 170);
    txtBaseKm_ = kmBox(page, QStringLiteral("txtBaseKm"), 2, QStringLiteral(" km"));
    txtBandKm_ = kmBox(page, QStringLiteral("txtBandKm"), 1, QStringLiteral(" km"));
    txtBandPrice_ = kmBox(page, QStringLiteral("txtBandPrice"), 30, QStringLiteral(" 円"));
    form->addRow(QStringLiteral("初乗り運賃："), txtBaseFare_);
    form->addRow(QStringLiteral("初乗り距離："), txtBaseKm_);
    form->addRow(QStringLiteral("区間の長さ："), txtBandKm_);
    form->addRow(QStringLiteral("1区間の加算額："), txtBandPrice_);
    form->addRow(new QLabel(QStringLiteral("合計は10円単位に四捨五入します。"), page));
    return page;
}

FareFill FillFaresDialog::fill() const {
    if (optZone_->isChecked()) {
        ZoneFares z;
        for (int r = 0; r < zones_.size(); ++r)
            for (int c = r; c < zones_.size(); ++c) {
                bool ok = false;
                const QTableWidgetItem *item = grdZoneFares_->item(r, c);
                const int yen = item ? item->text().trimmed().toInt(&ok) : 0;
                if (ok) z.set(zones_[r], zones_[c], yen);
            }
        return z;
    }
    if (optKm_->isChecked())
        return DistanceFares{txtBaseFare_->value(), txtBaseKm_->value(), txtBandKm_->value(), txtBandPrice_->value()};
    return FlatFare{txtFlatFare_->value()};
}

Document applyFill(const Document &doc, const FareFill &how, int *rides, int *missing) {
    Document out = doc;
    int lost = 0;
    const int n = std::visit(
        [&](const auto &f) {
            using T = std::decay_t<decltype(f)>;
            if constexpr (std::is_same_v<T, ZoneFares>) return route::fill(out, f, &lost);
            else return route::fill(out, f);
        },
        how);
    if (rides) *rides = n;
    if (missing) *missing = lost;
    return out;
}

}  // namespace route
