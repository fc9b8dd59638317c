// The control panel's controls and where they sit. Positions are pixels of the
// client area (353 x 173, widened to 594 for the ticket preview).
#include "panel/dbl_click_frame.h"
#include "panel/digit_list.h"
#include "panel/frm_ctl.h"
#include "panel/preview_box.h"
#include "panel/push_check_box.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace {

QString indexed(const char *name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

template <typename W>
W *named(W *widget, const QString &name, const QRect &geometry) {
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

DigitList *digitList(QWidget *parent, const QString &name, const QRect &geometry) {
    return named(new DigitList(parent), name, geometry);
}

QFont sized(const QFont &base, double points, bool bold) {
    QFont f(base);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace

void FrmCtl::buildEntryPanels() {
    auto *title = named(new QLabel(QStringLiteral("系統設定"), this), QStringLiteral("Label5"), QRect(6, 1, 100, 15));
    title->setFont(sized(font(), 9, true));

    for (int i = 0; i < 2; ++i) {
        frame1_[i] = named(new DblClickFrame(this), indexed("Frame1", i), QRect(4, 17, 200, 118));
        frame1_[i]->setAutoFillBackground(true);
        connect(frame1_[i], &DblClickFrame::DblClick, this, [this, i] { sendPanelBack(i); });
    }

    // Panel 0: the digit lists.
    QWidget *lists = frame1_[0];
    auto *routeCaption = new QLabel(QStringLiteral("系　統"), lists);
    routeCaption->setGeometry(4, 4, 114, 13);
    routeCaption->setAlignment(Qt::AlignCenter);
    auto *sectionCaption = new QLabel(QStringLiteral("区間"), lists);
    sectionCaption->setGeometry(127, 4, 69, 13);
    sectionCaption->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 5; ++i) {
        DigitList *list = digitList(lists, indexed("List2", i), QRect(4 + 23 * i, 18, 22, 74));
        connect(list, &DigitList::chosen, this, &FrmCtl::listClicked);
        list2_[i] = list;
    }
    auto *separator = named(new QLabel(QStringLiteral("-"), lists), QStringLiteral("Picture1"), QRect(119, 18, 7, 74));
    separator->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 3; ++i) {
        DigitList *list = digitList(lists, indexed("List3", i), QRect(127 + 23 * i, 18, 22, 74));
        connect(list, &DigitList::chosen, this, &FrmCtl::listClicked);
        list3_[i] = list;
    }
    command1_[0] = named(new QPushButton(QStringLiteral("リセット"), lists), indexed("Command1", 0), QRect(4, 95, 192, 20));

    // Panel 1: the keypad with its two displays.
    QWidget *pad = frame1_[1];
    const QString display = QStringLiteral("QLabel { background: #201408; color: #ff9020; font-weight: bold;"
                                           " font-size: 15px; padding-right: 3px; }");
    label2_[0] = named(new QLabel(pad), indexed("Label2", 0), QRect(4, 4, 92, 20));
    label2_[1] = named(new QLabel(QStringLiteral("-"), pad), indexed("Label2", 1), QRect(96, 4, 12, 20));
    label2_[2] = named(new QLabel(pad), indexed("Label2", 2), QRect(108, 4, 56, 20));
    for (QLabel *l : label2_) {
        l->setStyleSheet(display);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    label2_[1]->setAlignment(Qt::AlignCenter);

    // 7 8 9 系統 / 4 5 6 区間 / 1 2 3 0
    static constexpr int kGrid[3][4] = {{7, 8, 9, kKeyRoute}, {4, 5, 6, kKeySection}, {1, 2, 3, 0}};
    const QFont digitFont = sized(QFont(QStringLiteral("ＭＳ Ｐゴシック")), 15.75, true);
    const QFont wordFont = sized(QFont(QStringLiteral("ＭＳ Ｐゴシック")), 8.25, false);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int index = kGrid[r][c];
            const QString caption = index == kKeyRoute     ? QStringLiteral("系統")
                                    : index == kKeySection ? QStringLiteral("区間")
                                                           : QString::number(index);
            auto *key = named(new QPushButton(caption, pad), indexed("CommandButton1", index),
                              QRect(4 + 30 * c, 27 + 28 * r, 30, 27));
            const bool digit = index < 10;
            key->setFont(digit ? digitFont : wordFont);
            key->setStyleSheet(digit ? QStringLiteral("QPushButton { background: #d4d0c8; border: 1px solid #808080; }"
                                                      "QPushButton:pressed { background: #a8a8a8; }")
                                     : QStringLiteral("QPushButton { background: #ffff40; border: 1px solid #808080; }"
                                                      "QPushButton:pressed { background: #c8c830; }"));
            key->setProperty("BackColor", static_cast<uint>(digit ? 0xC8D0D4 : 0x40FFFF));
            keys_[index] = key;
        }
    }
    command1_[1] = named(new QPushButton(QStringLiteral("リセット"), pad), indexed("Command1", 1), QRect(130, 27, 66, 83));

    // The scroll speed and pause of the stop-name line, and the late-night fare.
    frame6_ = named(new QGroupBox(this), QStringLiteral("Frame6"), QRect(4, 136, 200, 36));
    check2_ = named(new QCheckBox(QStringLiteral("深夜料金"), frame6_), QStringLiteral("Check2"), QRect(3, 9, 66, 18));
    check2_->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
    const QFont small = sized(font(), 8, false);
    const char *captions[2] = {"ｽｸﾛｰﾙ速度", "ｽｸﾛｰﾙ間隔"};
    for (int i = 0; i < 2; ++i) {
        auto *caption = named(new QLabel(QString::fromUtf8(captions[i]), frame6_), indexed("Label3", i),
                              QRect(70, 2 + 16 * i, 48, 15));
        caption->setFont(small);
        hscroll1_[i] = named(new QScrollBar(Qt::Horizontal, frame6_), indexed("HScroll1", i),
                             QRect(118, 3 + 16 * i, 50, 13));
        label1_[i] = named(new QLabel(frame6_), indexed("Label1", i), QRect(170, 2 + 16 * i, 28, 15));
        label1_[i]->setFont(small);
        label1_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    hscroll1_[0]->setRange(1, 2000);
    hscroll1_[0]->setValue(1);
    hscroll1_[1]->setRange(0, 3000);
    hscroll1_[1]->setValue(0);
    for (int i = 0; i < 2; ++i) {
        hscroll1_[i]->setPageStep(i == 0 ? 100 : 250);
        label1_[i]->setText(QString::number(hscroll1_[i]->value()));
        connect(hscroll1_[i], &QScrollBar::valueChanged, this, [this, i] { scrollSettingChanged(i); });
    }
}

void FrmCtl::buildRightColumn() {
    command2_[0] = named(new QPushButton(QStringLiteral("データ戻し"), this), indexed("Command2", 0), QRect(208, 17, 62, 30));
    command2_[1] = named(new QPushButton(QStringLiteral("データ送り"), this), indexed("Command2", 1), QRect(272, 17, 62, 30));
    check1_ = named(new PushCheckBox(QStringLiteral("表示消去"), this), QStringLiteral("Check1"), QRect(208, 50, 62, 21));
    auto *options = named(new QPushButton(QStringLiteral("設定..."), this), QStringLiteral("Command4"), QRect(272, 50, 62, 21));
    connect(options, &QPushButton::clicked, this, &FrmCtl::openOptions);

    auto *frame2 = named(new QGroupBox(QStringLiteral("バックライト"), this), QStringLiteral("Frame2"), QRect(208, 73, 126, 34));
    const char *lights[3] = {"OFF", "ON1", "ON2"};
    for (int i = 0; i < 3; ++i) {
        option4_[i] = named(new QRadioButton(QLatin1String(lights[i]), frame2), indexed("Option4", i),
                            QRect(3 + 41 * i, 15, 41, 16));
        option4_[i]->setStyleSheet(QStringLiteral("QRadioButton { spacing: 1px; }"));
    }
    option4_[0]->setChecked(true);

    grpM_Tape_ = named(new QGroupBox(QStringLiteral("音合使用不可"), this), QStringLiteral("grpM_Tape"), QRect(208, 108, 126, 40));
    cmdTapeSet_ = named(new QPushButton(QStringLiteral("調整"), grpM_Tape_), QStringLiteral("cmdTapeSet"), QRect(4, 15, 32, 21));
    cmdTapeBack_ = named(new QPushButton(QStringLiteral("戻し"), grpM_Tape_), QStringLiteral("cmdTapeBack"), QRect(38, 15, 30, 21));
    cmdTapeNext_ = named(new QPushButton(QStringLiteral("送り"), grpM_Tape_), QStringLiteral("cmdTapeNext"), QRect(70, 15, 30, 21));
    cmdTapeStop_ = named(new QPushButton(QStringLiteral("■"), grpM_Tape_), QStringLiteral("cmdTapeStop"), QRect(102, 15, 20, 21));
    for (QPushButton *b : {cmdTapeSet_, cmdTapeBack_, cmdTapeNext_, cmdTapeStop_}) b->setEnabled(false);

    auto *about = named(new QPushButton(QStringLiteral("ﾊﾞｰｼﾞｮﾝ"), this), QStringLiteral("Command8"), QRect(208, 151, 62, 20));
    connect(about, &QPushButton::clicked, this, &FrmCtl::showAbout);

    check4_ = named(new PushCheckBox(QStringLiteral(">>"), this), QStringLiteral("Check4"), QRect(337, 17, 14, 154));
    check4_->setToolTip(QStringLiteral("整理券プレビューを開きます"));
    connect(check4_, &QCheckBox::toggled, this, &FrmCtl::previewToggled);
}

void FrmCtl::buildPreviewArea() {
    label4_ = named(new QLabel(QStringLiteral("整理券プレビュー"), this), QStringLiteral("Label4"), QRect(358, 1, 150, 15));
    label4_->setVisible(false);
    picSeirikenPrev_ = named(new PreviewBox(this), QStringLiteral("picSeirikenPrev"), QRect(358, 17, 230, 128));
    picSeirikenPrev_->setProperty("BackColor", static_cast<uint>(0xFFFFFF));
    combo1_ = named(new QComboBox(this), QStringLiteral("Combo1"), QRect(358, 150, 230, 21));

    mnuHide_ = new QMenu(this);
    mnuHide_->setObjectName(QStringLiteral("MnuHide"));
    QAction *copy = mnuHide_->addAction(QStringLiteral("コピー(&C)"));
    copy->setObjectName(QStringLiteral("MnuHideCopy"));
    connect(copy, &QAction::triggered, this, &FrmCtl::copyPreview);
    connect(picSeirikenPrev_, &PreviewBox::rightPressed, this, [this](const QPoint &at) { mnuHide_->popup(at); });
}
