#pragma once
// The captions of the 32 ticket-number labels for each numbering style: counting
// from 1 or from 0, or a word meaning "no ticket" (or nothing) in the first label
// followed by the numbers. Pure text, no widgets.
#include "core/colorref.h"

#include <QString>
#include <QStringList>
#include <array>
#include <utility>
#include <vector>

namespace seiriken {

constexpr int kStyleCount = 12;

// The built-in colours of the ticket-number labels for OFF, ON1 and ON2.
inline constexpr std::array<COLORREF, 3> kDefaultLabelColors{RGB(255, 255, 255), RGB(192, 255, 192), RGB(255, 192, 128)};

// What numberTicketLabels does to the labels for one style.
struct LabelPlan {
    double label1PointSize = 11;  // 11 for styles below 2, 10 otherwise
    bool setLabel1Word = false;   // styles 2 and above: label 1 shows `label1Word`
    QString label1Word;           // empty above style 11
    // (label index, caption) in ascending label order; empty for styles outside 0..11.
    std::vector<std::pair<int, QString>> captions;
};

LabelPlan numberingPlan(int style, int zero);

// The word of label 1 for styles 2..11 ("な し", "無 券", "券なし", "券無し" or
// nothing); empty for every other style.
QString label1Word(int style);

// A ticket number as a label shows it: decimal, at least two digits when `zero` is
// on, in full-width digits.
QString numberCaption(int n, bool zero);

// ASCII digits to the full-width digits U+FF10..U+FF19; anything else is kept.
QString toFullWidthDigits(const QString &text);

// The text of the error box that reports a failure while the labels are written.
QString errorText(int code, const QString &description);

}  // namespace seiriken

namespace seiriken {
// The entries of the options dialog's numbering-style list, index = style: the style
// text, a space and the highest number shown, and for style 0 " （既定の表示）".
QStringList styleListEntries();
}  // namespace seiriken
