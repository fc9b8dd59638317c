#include "core/seiriken_numbering.h"

namespace seiriken {

QString label1Word(int style) {
    switch (style) {
    case 2:
    case 3: return QStringLiteral("な し");
    case 4:
    case 5: return QStringLiteral("無 券");
    case 6:
    case 7: return QStringLiteral("券なし");
    case 8:
    case 9: return QStringLiteral("券無し");
    default: return QString();
    }
}

QString toFullWidthDigits(const QString &text) {
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) c = QChar(0xFF10 + (c.unicode() - u'0'));
    }
    return out;
}

QString numberCaption(int n, bool zero) {
    // "00" pads to two digits and never cuts: 7 -> 07, 12 -> 12, 0 -> 00.
    const QString text = zero ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) : QString::number(n);
    return toFullWidthDigits(text);
}

LabelPlan numberingPlan(int style, int zero) {
    LabelPlan plan;
    const bool pad = zero != 0;
    if (style < 2) {
        plan.label1PointSize = 11;
    } else {
        plan.label1PointSize = 10;
        plan.setLabel1Word = true;
        plan.label1Word = label1Word(style);
    }
    if (style < 0 || style >= kStyleCount) return plan;

    if (style == 0 || style == 1) {
        // 1..32, or 0..31: every label, label 1 included.
        for (int i = 1; i <= 32; ++i) plan.captions.emplace_back(i, numberCaption(style == 0 ? i : i - 1, pad));
    } else {
        // Even styles count 1..31 from label 2; odd styles let label i read i.
        const bool fromTwo = style % 2 == 1;
        for (int i = 2; i <= 32; ++i) plan.captions.emplace_back(i, numberCaption(fromTwo ? i : i - 1, pad));
    }
    return plan;
}

QString errorText(int code, const QString &description) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("エラーです！") + crlf + crlf + QStringLiteral("コード：") + QString::number(code) + crlf + crlf +
           QStringLiteral("内容：") + description + crlf + crlf + QStringLiteral("モジュール：IniIO-SeirikenNumSet( )");
}

}  // namespace seiriken

namespace seiriken {

QStringList styleListEntries() {
    struct Entry {
        const char16_t *text;
        int highest;
    };
    static constexpr Entry entries[kStyleCount] = {
        {u"1,2,3...", 32},          {u"0,1,2...", 31},          {u"「なし」、1,2...", 31},
        {u"「なし」、2,3...", 32},   {u"「無券」、1,2...", 31},   {u"「無券」、2,3...", 32},
        {u"「券なし」、1,2...", 31}, {u"「券なし」、2,3...", 32}, {u"「券無し」、1,2...", 31},
        {u"「券無し」、2,3...", 32}, {u"(無地)、1,2...", 31},     {u"(無地)、2,3...", 32},
    };
    QStringList list;
    for (int i = 0; i < kStyleCount; ++i) {
        QString entry = QString::fromUtf16(entries[i].text) + QLatin1Char(' ') + QString::number(entries[i].highest);
        if (i == 0) entry += QStringLiteral(" （既定の表示）");
        list.append(entry);
    }
    return list;
}

}  // namespace seiriken
