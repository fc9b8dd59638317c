#include "panel/board_layout.h"
#include "widgets/qcolor_ref.h"

#include "panel/backlight.h"
#include "panel/msg_box.h"
#include "board/form1.h"
#include "core/seiriken_numbering.h"
#include "widgets/chimei_ctl.h"
#include "widgets/m_degit.h"
#include "options/frm_option.h"
#include "core/settings.h"

#include <QLabel>

#include <new>

namespace board_layout {

namespace {

// Raised inside numberTicketLabels when a label it must write is not there.
struct LabelError {
    int code;
    QString description;
};

QLabel *label(const Form1 &board, int index) {
    QLabel *l = board.ticketLabel(index);
    if (!l) throw LabelError{91, QStringLiteral("ラベル lblSeiriNum(%1) がありません。").arg(index)};
    return l;
}

}  // namespace

void placeDisplays(Form1 &board) {
    for (int i = 1; i <= 32; ++i) {
        M_Degit *d = board.fareDisplay(i);
        d->setDegitStyle(1);
        d->ResetDegit(false);
    }
}

void setDefaultPanel(Form1 &board, Settings &settings, FrmOption &options) {
    PanelInfo panel = settings.panel();
    panel.AutoSeiriNum = 1;
    for (int state = 0; state < 3; ++state) panel.SeiriNumColor[state] = seiriken::kDefaultLabelColors[state];
    settings.setPanel(panel);

    // Each state has a built-in picture of its own: ON1 and ON2 light the face.
    board.setPicture(board.builtInPicture(0));

    options.applyToWindows();
}

void numberTicketLabels(Form1 &board, int style, int zero) {
    try {
        const seiriken::LabelPlan plan = seiriken::numberingPlan(style, zero);
        QLabel *first = label(board, 1);
        QFont font = first->font();
        font.setFamily(QStringLiteral("ＭＳ Ｐゴシック"));
        first->setFont(font);
        if (plan.setLabel1Word) first->setText(plan.label1Word);
        font.setPointSizeF(plan.label1PointSize);
        first->setFont(font);
        for (const auto &[index, caption] : plan.captions) label(board, index)->setText(caption);
    } catch (const LabelError &e) {
        msgbox::show(&board, seiriken::errorText(e.code, e.description), QMessageBox::Ok, msgbox::Icon::Critical,
                     QStringLiteral("エラー！"));
    } catch (const std::bad_alloc &) {
        msgbox::show(&board, seiriken::errorText(7, QStringLiteral("メモリが不足しています。")), QMessageBox::Ok,
                     msgbox::Icon::Critical, QStringLiteral("エラー！"));
    }
}

void applyOptions(Form1 &board, const Settings &settings, int backlight) {
    // 1. Label visibility.
    const bool show = settings.autoSeiriNum();
    for (int i = 1; i <= 32; ++i) board.ticketLabel(i)->setVisible(show);
    // 2. Label captions.
    numberTicketLabels(board, settings.seiriNumStyle(), settings.seiriNumZero() ? 1 : 0);
    // 3. Label colour of the panel's backlight state (0 OFF, 1 ON1, 2 ON2).
    const int k = backlight == 1 || backlight == 2 ? backlight : 0;
    const COLORREF labelColour = settings.labelColor(k);
    for (int i = 1; i <= 32; ++i) setLabelForeColor(board.ticketLabel(i), labelColour);
    // 4. Digit colours, the clock's too.
    auto paint = [&settings](M_Degit *d) {
        d->setBackColor(settings.degitColor(0));
        d->setBaseForeColor(settings.degitColor(1));
        d->setDegitForeColor(settings.degitColor(2));
    };
    for (int i = 1; i <= 32; ++i) paint(board.fareDisplay(i));
    paint(board.clockDisplay(0));
    paint(board.clockDisplay(1));
    // 5. Stop-name display.
    ChimeiCtl_B *chimei = board.stopStrip();
    chimei->setBackColor(settings.chimeiColor(0));
    chimei->setForeColor(settings.chimeiColor(1));
    chimei->setFontMode(settings.chimeiFontMode());
    chimei->setFontBold(settings.chimeiBold());
    // 6. Backlight picture.
    applyBacklight(board, settings, k);
}

void setLabelForeColor(QLabel *label, COLORREF color) {
    if (!label) return;
    // The text's colour in the palette (the label draws no background of its own).
    label->setProperty("ForeColor", static_cast<uint>(color));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    label->setPalette(palette);
}

}  // namespace board_layout
