// The options dialog's sound page (with its two sub-frames) and ticket-preview page.
#include "options/frm_option.h"
#include "options/frm_option_build.h"
#include "options/option_widgets.h"

#include <QFontDatabase>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>

using namespace optbuild;

namespace {

// One "sound file" row: caption, path box and browse button.
void soundRow(QWidget *parent, const QString &labelName, const QString &caption, int x, int y, int labelWidth,
              int boxWidth, QLineEdit *&box, QPushButton *&browse, int index) {
    label(parent, labelName, caption, x, y + 3, labelWidth);
    box = text(parent, named("txtSelectSound", index), x + labelWidth, y, boxWidth);
    browse = button(parent, named("cmdSelectSound", index), QStringLiteral("..."), x + labelWidth + boxWidth + 4, y, 30);
}

// The remove button shows a cross: the "r" of the Marlett symbol font where that
// font exists, a drawn cross elsewhere.
void makeCrossButton(QPushButton *b) {
    if (QFontDatabase::families().contains(QStringLiteral("Marlett"))) {
        b->setText(QStringLiteral("r"));
        b->setFont(QFont(QStringLiteral("Marlett"), 10));
        return;
    }
    QPixmap cross(12, 12);
    cross.fill(Qt::transparent);
    QPainter p(&cross);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(2, 2, 10, 10);
    p.drawLine(10, 2, 2, 10);
    p.end();
    b->setText(QString());
    b->setIcon(QIcon(cross));
}

}  // namespace

void FrmOption::buildSoundPage(QGroupBox *page) {
    soundRow(page, named("Label1", 0), QStringLiteral("系統設定時のサウンド："), 12, 20, 140, 334, txtSelectSound_[0],
             cmdSelectSound_[0], 0);
    soundRow(page, named("Label1", 1), QStringLiteral("リセット時のサウンド："), 12, 46, 140, 334, txtSelectSound_[1],
             cmdSelectSound_[1], 1);
    label(page, named("Label1", 7),
          QStringLiteral("「放送前のサウンド」再生時は、停名のスクロールが停止することがありますので、あらかじめご了承く"
                         "ださい。"),
          12, 72, 513, 30, true);
    Option5_[1] = new GraphicalOption(QStringLiteral("送り・戻し時のサウンド..."), page);
    place(Option5_[1], named("Option5", 1), 12, 104, 170, 24);
    Option5_[0] = new GraphicalOption(QStringLiteral("放送前のサウンド..."), page);
    place(Option5_[0], named("Option5", 0), 186, 104, 170, 24);
    buildSoundSubFrames(page);
}

void FrmOption::buildSoundSubFrames(QGroupBox *page) {
    // Sub-frame 1: stepping sounds.
    QGroupBox *step = frame(page, named("Frame2", 1), QStringLiteral("送り・戻し時のサウンド"), 8, 130, 517, 198);
    Frame2_[1] = step;
    Option2_[0] = option(step, named("Option2", 0), QStringLiteral("常に右記のサウンドを鳴らす"), 8, 20);
    txtSelectSound_[7] = text(step, named("txtSelectSound", 7), 200, 18, 270);
    cmdSelectSound_[7] = button(step, named("cmdSelectSound", 7), QStringLiteral("..."), 474, 18, 30);
    Option2_[1] = place(new WrapRadioButton(QStringLiteral("運賃データ(*.hy3)の特定の列のデータから判断して、以下の指定したサウン"
                                                           "ドを鳴らす（指定した列のデータの内容が1～3以外の場合はサウンドは"
                                                           "鳴りません）"),
                                            step),
                        named("Option2", 1), 8, 44, 500, 36);
    Combo1_ = list(step, QStringLiteral("Combo1"), 0, 0, 58);
    QLabel *columnLabel = label(step, named("Label1", 2), QString(), 28, 84, 200, 22);
    overlayLists(columnLabel, {QStringLiteral("運賃データの"), QStringLiteral("列目のデータが、")}, {Combo1_});
    static const char16_t *cases[3] = {u"「1」の場合", u"「2」の場合", u"「3」の場合"};
    for (int k = 0; k < 3; ++k)
        soundRow(step, named("Label1", 3 + k), QString::fromUtf16(cases[k]), 40, 112 + k * 27, 80, 150,
                 txtSelectSound_[8 + k], cmdSelectSound_[8 + k], 8 + k);
    QGroupBox *stepPlay = frame(step, QStringLiteral("Frame8"), QStringLiteral("再生方法"), 316, 84, 192, 100);
    Option6_[1] = place(new WrapRadioButton(QStringLiteral("非同期再生(サウンドを再生しながら運賃切り替え)"), stepPlay),
                        named("Option6", 1), 6, 18, 182, 34);
    Option6_[0] = place(new WrapRadioButton(QStringLiteral("同期再生(サウンドが完全に再生された後で運賃切り替え)"), stepPlay),
                        named("Option6", 0), 6, 56, 182, 34);

    // Sub-frame 0: sounds before an announcement.
    QGroupBox *tape = frame(page, named("Frame2", 0),
                            QStringLiteral("放送前のサウンド：※音声合成放送機能が有効でない場合は以下の設定は意味を持ちません。"),
                            8, 130, 517, 198);
    Frame2_[0] = tape;
    Option2_[2] = option(tape, named("Option2", 2), QStringLiteral("常に右記のサウンドを鳴らす"), 8, 20);
    txtSelectSound_[3] = text(tape, named("txtSelectSound", 3), 200, 18, 270);
    cmdSelectSound_[3] = button(tape, named("cmdSelectSound", 3), QStringLiteral("..."), 474, 18, 30);
    Option2_[3] = place(new WrapRadioButton(QStringLiteral("放送データ(*.Tp.csv)内のフラグから判断して、以下の指定したサウンドを"
                                                           "鳴らす（フラグの内容が1～3以外の場合はサウンドは鳴りません）"),
                                            tape),
                        named("Option2", 3), 8, 44, 500, 36);
    for (int k = 0; k < 3; ++k)
        soundRow(tape, named("Label1", 9 + k), QString::fromUtf16(cases[k]), 40, 88 + k * 28, 80, 150,
                 txtSelectSound_[4 + k], cmdSelectSound_[4 + k], 4 + k);
    QGroupBox *tapePlay = frame(tape, QStringLiteral("Frame9"), QStringLiteral("再生方法"), 316, 84, 192, 100);
    Option7_[1] = place(new WrapRadioButton(QStringLiteral("非同期再生(サウンドを再生しながら放送開始)"), tapePlay),
                        named("Option7", 1), 6, 18, 182, 34);
    Option7_[0] = place(new WrapRadioButton(QStringLiteral("同期再生(サウンドが完全に再生された後で放送開始)"), tapePlay),
                        named("Option7", 0), 6, 56, 182, 34);
}

void FrmOption::buildPreviewPage(QGroupBox *page) {
    chkUseSeiriPrev_ = check(page, QStringLiteral("chkUseSeiriPrev"), QStringLiteral("整理券プレビュー機能を使用する"), 12, 20);

    Frame10_ = frame(page, QStringLiteral("Frame10"), QStringLiteral("整理券プラグイン設定"), 8, 42, 517, 160);
    label(Frame10_, QStringLiteral("Label2"),
          QStringLiteral("整理券プラグイン（整理券プレビューを使用しない場合は、何も入れないでください）："), 10, 20, 500);
    txtSeiriPlgDir_ = text(Frame10_, QStringLiteral("txtSeiriPlgDir"), 10, 38, 428);
    Command1_ = button(Frame10_, QStringLiteral("Command1"), QStringLiteral("..."), 442, 38, 30);
    Command11_ = button(Frame10_, QStringLiteral("Command11"), QString(), 476, 38, 30);
    makeCrossButton(Command11_);
    Command1_->setToolTip(QStringLiteral("プラグインの選択"));
    Command11_->setToolTip(QStringLiteral("プラグインの指定を解除"));
    label(Frame10_, QStringLiteral("Label11"), QStringLiteral("上記プラグインのプロパティ："), 10, 66, 240);
    List1_ = place(new QListWidget(Frame10_), QStringLiteral("List1"), 10, 84, 250, 70);
    label(Frame10_, QStringLiteral("Label13"), QStringLiteral("上記プラグインの特記事項："), 268, 66, 240);
    txtPlginComment_ = place(new QPlainTextEdit(Frame10_), QStringLiteral("txtPlginComment"), 268, 84, 240, 70);
    txtPlginComment_->setReadOnly(true);
    txtPlginComment_->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #c0c0c0; }"));

    Frame7_ = frame(page, QStringLiteral("Frame7"),
                    QStringLiteral("日付の設定（整理券プラグインが日付の印字をサポートしているときに有効）"), 8, 206, 517, 122);
    Option4_[0] = option(Frame7_, named("Option4", 0),
                         QStringLiteral("システムの日付を使用（整理券印字と同時に日付を更新、デフォルト）"), 10, 20);
    Option4_[1] = option(Frame7_, named("Option4", 1), QStringLiteral("システムの日付を使用（系統設定した時点の日付を保持）"),
                         10, 42);
    label(Frame7_, QStringLiteral("Label14"),
          QStringLiteral("系統設定した際の日付が保持され、日付が途中で変わっても次回系統設定するまで整理券の日付変更を行い"
                         "ません。"),
          30, 62, 480, 30, true);
    Option4_[2] = option(Frame7_, named("Option4", 2), QStringLiteral("右記の日付に固定"), 10, 94);
    Label10_ = label(Frame7_, QStringLiteral("Label10"), QString(), 160, 97, 90);
    Command7_ = button(Frame7_, QStringLiteral("Command7"), QStringLiteral("日付選択..."), 256, 93, 90);
}
