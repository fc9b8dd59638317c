// The options dialog's page buttons and its first four pages: data folders, panel
// and ticket numbers, digit parts and information numbers, stop-name display.
#include "widgets/m_degit.h"
#include "options/frm_option.h"
#include "options/frm_option_build.h"
#include "options/option_widgets.h"

using namespace optbuild;

namespace {

// Page frames: 8000 x 5000 twips to the right of the page buttons.
constexpr int kPageX = 94, kPageY = 4, kPageW = 533, kPageH = 333;
// Page buttons: 1250 x 833 twips, stacked top to bottom.
constexpr int kButtonX = 6, kButtonY = 6, kButtonW = 83, kButtonH = 56;

}  // namespace

void FrmOption::buildPageButtons() {
    static const char16_t *buttonCaptions[6] = {u"運賃データと　放送用データ", u"パネルと整理券番号表示",
                                                u"デジタル部品と情報用数字",   u"停名の設定",
                                                u"サウンド",                   u"　　整理券　　　プレビュー"};
    static const char16_t *frameCaptions[6] = {
        u"運賃データと放送用データ", u"パネルと整理券番号表示", u"デジタル部品と情報用数字", u"停名の設定",
        u"サウンド（鳴らさなくてもいい項目にはファイル名を入れないで下さい）", u"整理券プレビュー"};
    // Drawn with their lines broken where they read best.
    static const char16_t *shown[6] = {u"運賃データと\n放送用データ", u"パネルと\n整理券\n番号表示",
                                       u"デジタル\n部品と\n情報用数字",  u"停名の設定",
                                       u"サウンド",                    u"整理券\nプレビュー"};
    for (int i = 0; i < 6; ++i) {
        auto *button = new GraphicalOption(QString::fromUtf16(buttonCaptions[i]), this, QString::fromUtf16(shown[i]));
        place(button, named("Option1", i), kButtonX, kButtonY + i * kButtonH, kButtonW, kButtonH);
        Option1_[i] = button;
        Frame1_[i] = frame(this, named("Frame1", i), QString::fromUtf16(frameCaptions[i]), kPageX, kPageY, kPageW,
                           kPageH);
    }
    Command4_ = button(this, QStringLiteral("Command4"), QStringLiteral("OK"), kPageX + kPageW - 96,
                       kPageY + kPageH + 6, 96, 26);
}

void FrmOption::buildDataPage(QGroupBox *page) {
    static const char16_t *labels[2] = {u"運賃データ(*.hy3)のあるフォルダー：",
                                        u"放送用データ(*****Tp.csv)のあるフォルダー："};
    static const char16_t *openCaptions[2] = {u"上記運賃データの場所をエクスプローラで開く",
                                              u"上記放送用データの場所をエクスプローラで開く"};
    for (int i = 0; i < 2; ++i) {
        const int top = 30 + i * 110;
        label(page, named("Label3", i), QString::fromUtf16(labels[i]), 16, top, 480);
        Text2_[i] = text(page, named("Text2", i), 16, top + 20, 460);
        Command3_[i] = button(page, named("Command3", i), QStringLiteral("..."), 482, top + 20, 34);
        Command10_[i] = button(page, named("Command10", i), QString::fromUtf16(openCaptions[i]), 16, top + 50, 300, 24);
    }
}

void FrmOption::buildPanelPage(QGroupBox *page) {
    Check1_ = check(page, QStringLiteral("Check1"), QStringLiteral("整理券番号自動表示機能を使用"), 12, 20);

    Frame4_ = frame(page, QStringLiteral("Frame4"), QStringLiteral("本体パネル"), 8, 42, 517, 116);
    Option3_[0] = option(Frame4_, named("Option3", 0), QStringLiteral("内蔵しているパネルを自動で割り当てる"), 10, 18);
    Option3_[1] = option(Frame4_, named("Option3", 1), QStringLiteral("個別に設定する"), 280, 18);
    static const char16_t *stateCaptions[3] = {u"バックライトOFF時の画像：", u"ON1の画像：", u"ON2の画像："};
    // Per state: the built-in button, then the user-file button.
    static const int builtIn[3] = {7, 3, 4}, user[3] = {6, 2, 5};
    for (int s = 0; s < 3; ++s) {
        QGroupBox *f = frame(Frame4_, named("Frame6", s), QString::fromUtf16(stateCaptions[s]), 4 + s * 171, 40, 168, 70);
        Frame6_[s] = f;
        Option3_[builtIn[s]] = option(f, named("Option3", builtIn[s]), QStringLiteral("内蔵"), 6, 18);
        Option3_[user[s]] = option(f, named("Option3", user[s]), QStringLiteral("ユーザーパネル"), 58, 18);
        txtSelectPanel_[s] = text(f, named("txtSelectPanel", s), 6, 42, 122);
        Command6_[s] = button(f, named("Command6", s), QStringLiteral("..."), 132, 42, 27);
    }

    Frame3_ = frame(page, QStringLiteral("Frame3"), QString(), 8, 160, 517, 88);
    label(Frame3_, named("Label4", 5), QStringLiteral("整理券番号表示設定"), 10, 8, 240);
    Combo2_ = list(Frame3_, QStringLiteral("Combo2"), 10, 26, 240);
    Check2_ = check(Frame3_, QStringLiteral("Check2"), QStringLiteral("数字が1桁の番号は頭に0を付け足す"), 10, 56);
    label(Frame3_, named("Label4", 1), QStringLiteral("整理券番号のバックライトカラー(文字色)"), 270, 8, 240);
    static const char16_t *stateNames[3] = {u"OFF：", u"ON1：", u"ON2："};
    for (int s = 0; s < 3; ++s) {
        label(Frame3_, named("Label4", 2 + s), QString::fromUtf16(stateNames[s]), 276 + s * 78, 30, 60);
        Command5_[s] = place(new ColorButton(0, Frame3_), named("Command5", s), 276 + s * 78, 48, 64, 24);
    }

    label(page, QStringLiteral("Label15"),
          QStringLiteral("※ユーザーパネルに直接番号をデザインしている場合には上記チェックをOFFにしてください。"), 12,
          251, 513, 16, true);
    label(page, QStringLiteral("Label5"),
          QStringLiteral("※ユーザーパネルには、現在の機種に対応の画像をご使用ください。大きいパネルの場合、はみ出た部分"
                         "（右・下）が切り取られます。逆に小さいパネルの場合は左上から表示され、余白部分はグレーになります"
                         "のでご注意ください。"),
          12, 270, 513, 58, true);
}

void FrmOption::buildDegitPage(QGroupBox *page) {
    QGroupBox *info = frame(page, named("Frame5", 1), QStringLiteral("情報用数字の設定"), 8, 20, 517, 136);
    for (int i = 0; i < 5; ++i) {
        Combo4_[i] = list(info, named("Combo4", i), 0, 0, i == 4 ? 58 : 48);
    }
    static const char16_t *before[3] = {u"停留所の順番（区間・個数）を、", u"整理券番号を、", u"系統番号を、"};
    for (int i = 0; i < 3; ++i) {
        Check3_[i] = check(info, named("Check3", i), QString(), 12, 20 + i * 28);
        overlayLists(Check3_[i], {QString::fromUtf16(before[i]), QStringLiteral("コマ目に表示する。")}, {Combo4_[i]});
    }
    Check3_[4] = check(info, named("Check3", 4), QStringLiteral("0から数える"), 400, 20);
    Check3_[3] = check(info, named("Check3", 3), QString(), 12, 104);
    overlayLists(Check3_[3], {QStringLiteral("データの"), QStringLiteral("列目の値を、"), QStringLiteral("コマ目に表示する。")},
                 {Combo4_[4], Combo4_[3]});

    label(page, QStringLiteral("Label7"),
          QStringLiteral("デジタル数字の桁ずらし、ゼロ埋めの設定は各部品をダブルクリックして設定してください。また、これら"
                         "情報用数字は運賃の表示よりも優先されます。"),
          12, 160, 513, 34, true);

    QGroupBox *colours = frame(page, named("Frame5", 0),
                               QStringLiteral("デジタル部品の背景色と文字色（時計つきの場合はこの部分も同色となります）"),
                               8, 198, 517, 126);
    static const char16_t *names[3] = {u"背景色：", u"未発光時の文字色：", u"発光時の文字色："};
    for (int i = 0; i < 3; ++i) {
        label(colours, named("Label6", i), QString::fromUtf16(names[i]), 16, 26 + i * 30, 130);
        Command8_[i] = place(new ColorButton(0, colours), named("Command8", i), 150, 22 + i * 30, 64, 24);
    }
    label(colours, named("Label6", 3), QStringLiteral("プレビュー"), 260, 26, 100);
    M_Degit1_ = new M_Degit(colours);
    M_Degit1_->setObjectName(QStringLiteral("M_Degit1"));
    M_Degit1_->setGeometry(260, 46, 76, 29);
}

void FrmOption::buildChimeiPage(QGroupBox *page) {
    label(page, named("Label8", 0), QStringLiteral("背景色："), 16, 34, 80);
    Command9_[0] = place(new ColorButton(0, page), named("Command9", 0), 100, 30, 64, 24);
    label(page, named("Label8", 1), QStringLiteral("文字色："), 16, 66, 80);
    Command9_[1] = place(new ColorButton(0, page), named("Command9", 1), 100, 62, 64, 24);
    label(page, QStringLiteral("Label9"), QStringLiteral("フォントオプション："), 16, 104, 120);
    Combo3_ = list(page, QStringLiteral("Combo3"), 140, 100, 290);
    for (const char16_t *item : {u"ゴシック体", u"明朝体", u"漢字はゴシック、それ以外は明朝", u"漢字は明朝、それ以外はゴシック",
                                 u"英数字はゴシック、それ以外は明朝"})
        Combo3_->addItem(QString::fromUtf16(item));
    Check4_ = check(page, QStringLiteral("Check4"), QStringLiteral("太字（表示の不具合はサポート対象外）"), 16, 138);
}
