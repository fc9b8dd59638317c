#include "core/route_checks.h"

#include "core/fare_data_file.h"
#include "core/cp932.h"

#include <QSet>

namespace route {

namespace {

QString tableName(Table t) {
    switch (t) {
    case Table::Stops: return QStringLiteral("停留所");
    case Table::Fares: return QStringLiteral("運賃");
    case Table::Tape: return QStringLiteral("放送");
    }
    return {};
}

bool blank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

class Collect {
public:
    explicit Collect(std::vector<Problem> &out) : out_(out) {}
    void error(Table t, int row, int col, const QString &text) { out_.push_back({Problem::Severity::Error, t, row, col, text}); }
    void warn(Table t, int row, int col, const QString &text) { out_.push_back({Problem::Severity::Warning, t, row, col, text}); }

private:
    std::vector<Problem> &out_;
};

}  // namespace

QString Problem::located() const {
    QString where = tableName(table);
    if (row >= 0) where += QStringLiteral(" %1行目").arg(row + 1);
    if (column >= 0) where += QLatin1Char(' ') + header(table, column);
    return where + QStringLiteral(": ") + text;
}

const QStringList &Checker::unencodable(const QString &text) {
    auto it = unencodable_.constFind(text);
    if (it != unencodable_.constEnd()) return it.value();
    if (unencodable_.size() > 4096) unencodable_.clear();
    // One conversion tells whether any character is lost; only then look at each.
    const QByteArray bytes = cp932::encode(text);
    const bool lost = bytes.count('?') != text.count(QLatin1Char('?'));
    return unencodable_.insert(text, lost ? fare_file::unencodable(text) : QStringList()).value();
}

std::vector<Problem> Checker::check(const Document &doc) {
    std::vector<Problem> out;
    Collect c(out);
    const int n = static_cast<int>(doc.stops.size());
    if (n == 0) c.error(Table::Stops, -1, -1, QStringLiteral("停留所がありません。"));
    if (n > MaxStops)
        c.error(Table::Stops, MaxStops, -1, QStringLiteral("停留所が%1か所あります。運賃データは%2停留所までです。").arg(n).arg(MaxStops));
    else if (n == 1)
        c.warn(Table::Stops, 0, -1, QStringLiteral("停留所が1つだけです（運賃を送るには2つ以上必要です）。"));

    // Where each ticket is taken: a fare under a ticket taken later is never owed.
    std::array<int, BoardCells + 1> takenAt;
    takenAt.fill(-1);
    QHash<int, int> firstWithTicket;
    for (int r = 0; r < n; ++r) {
        const Stop &s = doc.stops[size_t(r)];
        if (s.name.trimmed().isEmpty()) c.warn(Table::Stops, r, stop_column::Name, QStringLiteral("停留所名が空です。"));
        if (const QStringList &bad = unencodable(s.name); !bad.isEmpty())
            c.error(Table::Stops, r, stop_column::Name, QStringLiteral("CP932で表せない文字があります: %1").arg(bad.join(QLatin1Char(' '))));
        else if (s.name.size() > 0x7FFF)
            c.error(Table::Stops, r, stop_column::Name, QStringLiteral("長すぎます。"));
        if (const QStringList &bad = unencodable(s.reading); !bad.isEmpty())
            c.warn(Table::Stops, r, stop_column::Reading, QStringLiteral("CP932で表せない文字があり、放送文には使えません: %1").arg(bad.join(QLatin1Char(' '))));
        if (s.ticket < 0) c.error(Table::Stops, r, stop_column::Ticket, QStringLiteral("整理券番号が負です。"));
        if (s.ticket > 0) {
            const auto seen = firstWithTicket.constFind(s.ticket);
            if (seen != firstWithTicket.constEnd())
                c.error(Table::Stops, r, stop_column::Ticket,
                        QStringLiteral("整理券番号%1は%2行目でも使われています。").arg(s.ticket).arg(seen.value() + 1));
            else
                firstWithTicket.insert(s.ticket, r);
            if (s.ticket <= BoardCells && takenAt[size_t(s.ticket)] < 0) takenAt[size_t(s.ticket)] = r;
        }
    }
    for (int r = 0; r < n; ++r) {
        const Stop &s = doc.stops[size_t(r)];
        for (int k = 1; k <= BoardCells; ++k) {
            const int v = s.cells[size_t(k - 1)];
            if (v == 0) continue;
            if (v < -1) {
                c.error(Table::Fares, r, k - 1, QStringLiteral("運賃%1は範囲外です（-1～32767、-1は0円）。").arg(v));
                continue;
            }
            if (v != -1 && v > 16383)
                c.warn(Table::Fares, r, k - 1, QStringLiteral("深夜料金（2倍）が16ビットに収まりません（深夜料金でも昼の運賃を表示します）。"));
            const int at = takenAt[size_t(k)];
            if (at < 0 || at >= r)
                c.warn(Table::Fares, r, k - 1,
                       at < 0 ? QStringLiteral("整理券%1番を出す停留所がないのに運賃があります。").arg(k)
                              : QStringLiteral("整理券%1番はまだ取られていない（%2行目で取る）のに運賃があります。").arg(k).arg(at + 1));
        }
    }
    for (size_t i = 0; i < doc.tape.size(); ++i) {
        const int r = static_cast<int>(i);
        const Announcement &a = doc.tape[i];
        if (const QStringList &bad = unencodable(a.text); !bad.isEmpty())
            c.error(Table::Tape, r, tape_column::Text, QStringLiteral("CP932で表せない文字があります: %1").arg(bad.join(QLatin1Char(' '))));
        QString why;
        if (tapeLine(a, &why).isEmpty()) c.error(Table::Tape, r, tape_column::Text, why);
        if (a.text.trimmed().isEmpty()) c.warn(Table::Tape, r, tape_column::Text, QStringLiteral("放送文が空です。"));
        if (a.step != 0 && a.step != 1) c.warn(Table::Tape, r, tape_column::Step, QStringLiteral("運賃送りは1（送る）か0です。"));
        if (a.sound < 0 || a.sound > 3) c.warn(Table::Tape, r, tape_column::Sound, QStringLiteral("サウンドは1～3（0は鳴らさない）です。"));
    }
    return out;
}

const Problem *firstError(const std::vector<Problem> &problems) {
    for (const Problem &p : problems)
        if (p.isError()) return &p;
    return nullptr;
}

QString tapeLine(const Announcement &a, QString *why) {
    const QString &t = a.text;
    // The list's reader skips blanks before a field and after an unquoted one, and
    // a quoted field ends at the next quote: a quote can be written only inside an
    // unquoted text, and such a text cannot hold a comma.
    const bool needsQuotes = t.contains(QLatin1Char(',')) || (!t.isEmpty() && (blank(t.front()) || blank(t.back()))) ||
                             t.startsWith(QLatin1Char('"'));
    if (t.contains(QLatin1Char('\n')) || t.contains(QLatin1Char('\r'))) {
        if (why) *why = QStringLiteral("放送文に改行は入れられません。");
        return {};
    }
    if (needsQuotes && t.contains(QLatin1Char('"'))) {
        if (why) *why = QStringLiteral("カンマや前後の空白のある放送文には「\"」を入れられません。");
        return {};
    }
    const QString field = needsQuotes ? QLatin1Char('"') + t + QLatin1Char('"') : t;
    return QStringLiteral("%1,%2,%3").arg(field).arg(a.step).arg(a.sound);
}

}  // namespace route
