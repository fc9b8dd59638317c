#include "options/frm_option.h"

#include "base/dump_sections.h"
#include "core/seiriken_numbering.h"
#include "companion/companion.h"
#include "widgets/m_degit.h"
#include "core/ini_data.h"
#include "core/settings.h"
#include "options/folder_opener.h"
#include "options/option_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QJsonArray>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

const QString kSoundFilter = QStringLiteral("Waveサウンド(*.wav)") + QChar(0) + QStringLiteral("*.wav") + QChar(0) +
                             QStringLiteral("MP3サウンド(*.mp3)") + QChar(0) + QStringLiteral("*.mp3") + QChar(0) +
                             QStringLiteral("MIDIシーケンス(*.mid)") + QChar(0) + QStringLiteral("*.mid") + QChar(0) +
                             QChar(0);
const QString kPanelFilter = QStringLiteral("ビットマップ(*.bmp)") + QChar(0) + QStringLiteral("*.bmp") + QChar(0) +
                             QStringLiteral("GIF画像(*.gif)") + QChar(0) + QStringLiteral("*.gif") + QChar(0) +
                             QStringLiteral("JPEG画像(*.jpg)") + QChar(0) + QStringLiteral("*.jpg") + QChar(0) + QChar(0);

// The sound boxes that exist (index 2 was never used).
constexpr int kSoundIndices[] = {0, 1, 3, 4, 5, 6, 7, 8, 9, 10};

}  // namespace

FrmOption::FrmOption(Settings &settings, QWidget *parent) : QDialog(parent), settings_(settings) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("オプション"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(638, 374);  // client 9570 x 5610 twips
    QFont uiFont(QStringLiteral("ＭＳ Ｐゴシック"));
    uiFont.setPointSize(9);
    setFont(uiFont);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    // Disabled captions must stay readable on the grey face.
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        pal.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    setPalette(pal);
    setAutoFillBackground(true);

    buildPageButtons();
    buildDataPage(Frame1_[0]);
    buildPanelPage(Frame1_[1]);
    buildDegitPage(Frame1_[2]);
    buildChimeiPage(Frame1_[3]);
    buildSoundPage(Frame1_[4]);
    buildPreviewPage(Frame1_[5]);
    groupOptionButtons();
    connectReactions();
    load();
    // From here on Settings holds what the controls hold.
    bindSettings();
    showing_ = false;
    storeControls();

    // The colour chooser's custom colours are kept by Settings alone.
    dump::registerSection(QStringLiteral("customColors"), [this] {
        QJsonArray colours;
        for (COLORREF c : settings_.custColors()) colours.append(static_cast<qint64>(c));
        return QJsonValue(colours);
    });
}

// Option buttons that belong together are grouped explicitly: Qt's automatic grouping
// takes every option button anywhere below the parent, so a page button would clear
// an option of a frame nested in another page.
void FrmOption::groupOptionButtons() {
    auto group = [this](std::initializer_list<QRadioButton *> buttons) {
        auto *g = new QButtonGroup(this);
        for (QRadioButton *b : buttons) g->addButton(b);
    };
    group({Option1_[0], Option1_[1], Option1_[2], Option1_[3], Option1_[4], Option1_[5]});
    group({Option5_[0], Option5_[1]});
    group({Option3_[0], Option3_[1]});
    group({Option3_[7], Option3_[6]});
    group({Option3_[3], Option3_[2]});
    group({Option3_[4], Option3_[5]});
    group({Option2_[0], Option2_[1]});
    group({Option2_[2], Option2_[3]});
    group({Option6_[0], Option6_[1]});
    group({Option7_[0], Option7_[1]});
    group({Option4_[0], Option4_[1], Option4_[2]});
}

// ---------------------------------------------------------------- load

void FrmOption::load() {
    M_Degit1_->setDegitSize(2);
    for (int n = 1; n <= 32; ++n)
        for (int i = 0; i < 4; ++i) Combo4_[i]->addItem(QString::number(n));
    for (int n = 1; n <= 150; ++n) {
        Combo1_->addItem(QString::number(n));
        Combo4_[4]->addItem(QString::number(n));
    }
    Combo1_->setCurrentIndex(0);
    for (QComboBox *c : Combo4_) c->setCurrentIndex(0);
    // AddComboItem: the numbering styles, style 0 chosen.
    Combo2_->addItems(seiriken::styleListEntries());
    Combo2_->setCurrentIndex(0);
    Combo3_->setCurrentIndex(-1);
    Label10_->setText(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));

    Option1_[0]->setChecked(true);
    Option5_[1]->setChecked(true);
    for (QRadioButton *b : {Option2_[0], Option6_[1], Option2_[2], Option7_[0], Option4_[0], Option3_[0], Option3_[7],
                            Option3_[3], Option3_[4]})
        b->setChecked(true);

    const IniData defaults;
    for (int s = 0; s < 3; ++s) Command5_[s]->setColor(defaults.panel.SeiriNumColor[s]);
    Command8_[0]->setColor(defaults.degit.DegitBackColor);
    Command8_[1]->setColor(defaults.degit.DegitBaseColor);
    Command8_[2]->setColor(defaults.degit.DegitLitColor);
    Command9_[0]->setColor(defaults.chimei.ChimeiBackColor);
    Command9_[1]->setColor(defaults.chimei.ChimeiForeColor);
    updateSampleDegit();
    M_Degit1_->setValue(120);

    // Dependent controls follow the initial values.
    showPage(0);
    showSoundFrame(1);
    updateFrame3();
    for (int i = 0; i < 4; ++i) updateInfoCells(i);
    updatePanelFrames();
    updatePreviewFrames();
}

void FrmOption::connectReactions() {
    for (int i = 0; i < 6; ++i)
        connect(Option1_[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) showPage(i); });
    for (int i = 0; i < 2; ++i)
        connect(Option5_[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) showSoundFrame(i); });
    for (int i = 0; i < 2; ++i) {
        connect(Command3_[i], &QPushButton::clicked, this, [this, i] {
            const QString folder = chooseFolder(Text2_[i]->text());
            if (!folder.isEmpty()) Text2_[i]->setText(folder);
        });
        connect(Command10_[i], &QPushButton::clicked, this, [this, i] {
            // An empty folder means the working directory, where the data is then looked for.
            const QString folder = Text2_[i]->text();
            openFolderInFileManager(folder.isEmpty() ? QDir::currentPath() : folder, this,
                                    [this](const QString &text) { emit errorBoxRequested(text, QString()); });
        });
    }
    for (int i : kSoundIndices)
        connect(cmdSelectSound_[i], &QPushButton::clicked, this, [this, i] { chooseSound(i); });
    for (int i = 0; i < 3; ++i) {
        connect(Command6_[i], &QPushButton::clicked, this, [this, i] { choosePanelPicture(i); });
        connect(Command5_[i], &QPushButton::clicked, this, [this, i] { chooseButtonColor(Command5_[i]); });
        connect(Command8_[i], &QPushButton::clicked, this, [this, i] {
            chooseButtonColor(Command8_[i]);
            updateSampleDegit();
        });
    }
    for (int i = 0; i < 2; ++i)
        connect(Command9_[i], &QPushButton::clicked, this, [this, i] { chooseButtonColor(Command9_[i]); });
    // By state, not by toggle: a stored 2 (greyed, not on) follows a checked box.
    connect(Check1_, &QCheckBox::stateChanged, this, [this] { updateFrame3(); });
    for (int i = 0; i < 4; ++i) connect(Check3_[i], &QCheckBox::stateChanged, this, [this, i] { updateInfoCells(i); });
    for (QRadioButton *b : Option3_) connect(b, &QRadioButton::toggled, this, [this] { updatePanelFrames(); });
    connect(chkUseSeiriPrev_, &QCheckBox::stateChanged, this, [this] { updatePreviewFrames(); });
    connect(Command7_, &QPushButton::clicked, this, [this] { chooseFixedDate(); });
    connect(Command11_, &QPushButton::clicked, this, [this] { clearPlugin(); });
    connect(Command1_, &QPushButton::clicked, this, [this] { choosePlugin(); });
    connect(Command4_, &QPushButton::clicked, this, [this] { acceptOptions(); });
}

// ---------------------------------------------------------------- reactions

void FrmOption::showPage(int index) {
    for (int i = 0; i < 6; ++i) Frame1_[i]->setVisible(i == index);
    Frame1_[index]->raise();
}

void FrmOption::showSoundFrame(int index) {
    for (int i = 0; i < 2; ++i) Frame2_[i]->setVisible(i == index);
    Frame2_[index]->raise();
}

void FrmOption::updateFrame3() { Frame3_->setEnabled(optvalue::isOn(Check1_)); }

void FrmOption::updateInfoCells(int index) {
    const bool on = optvalue::isOn(Check3_[index]);
    switch (index) {
    case 0:
        Combo4_[0]->setEnabled(on);
        Check3_[4]->setEnabled(on);
        break;
    case 1: Combo4_[1]->setEnabled(on); break;
    case 2: Combo4_[2]->setEnabled(on); break;
    case 3:
        Combo4_[3]->setEnabled(on);
        Combo4_[4]->setEnabled(on);
        break;
    default: break;
    }
}

void FrmOption::updatePanelFrames() {
    const bool each = !Option3_[0]->isChecked();
    for (QGroupBox *f : Frame6_) {
        f->setEnabled(each);
        f->setVisible(each);
    }
}

void FrmOption::updatePreviewFrames() {
    const bool on = optvalue::isOn(chkUseSeiriPrev_);
    for (QGroupBox *f : {Frame10_, Frame7_}) {
        f->setEnabled(on);
        f->setVisible(on);
    }
}

void FrmOption::updateSampleDegit() {
    M_Degit1_->setBackColor(Command8_[0]->color());
    M_Degit1_->setBaseForeColor(Command8_[1]->color());
    M_Degit1_->setDegitForeColor(Command8_[2]->color());
}

QString FrmOption::chooseFolder(const QString &) {
    return Qv3FolderDlg(this, QStringLiteral("フォルダーを選択してください"));
}

void FrmOption::chooseSound(int index) {
    const QString path = Qv3FileDlg(this, 0, kSoundFilter, QString(), QStringLiteral("サウンドの選択"));
    if (!path.isEmpty()) txtSelectSound_[index]->setText(path);
}

void FrmOption::choosePanelPicture(int index) {
    const QString path = Qv3FileDlg(this, 0, kPanelFilter, QString(), QStringLiteral("パネル画像の選択"));
    if (!path.isEmpty()) txtSelectPanel_[index]->setText(path);
}

void FrmOption::chooseFixedDate() {
    SystemTime st;
    if (Call_dlg111(this, st) == 0) return;
    Label10_->setText(QStringLiteral("%1/%2/%3")
                          .arg(st.wYear)
                          .arg(st.wMonth, 2, 10, QLatin1Char('0'))
                          .arg(st.wDay, 2, 10, QLatin1Char('0')));
    storeControls();
}

void FrmOption::clearPlugin() {
    txtSeiriPlgDir_->clear();
    List1_->clear();
    txtPlginComment_->clear();
}

void FrmOption::acceptOptions() {
    applyToWindows();
    accept();
}

void FrmOption::reject() {
    applyToWindows();
    QDialog::reject();
}

void FrmOption::chooseButtonColor(ColorButton *button) {
    COLORREF color = button->color();
    std::array<COLORREF, 17> custom = settings_.custColors();
    const int chosen = Qv3ChooseColor(this, color, custom);
    settings_.setCustColors(custom);
    if (chosen != 0) button->setColor(color);
}

void FrmOption::applyToWindows() { emit applyRequested(); }
