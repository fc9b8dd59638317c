#include "core/csv_reader.h"

namespace csv {

namespace {
constexpr std::string_view Bom("\xEF\xBB\xBF", 3);

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}
}  // namespace

Reader::Reader(std::string_view bytes, const Options &options) : in_(bytes), opt_(options) {
    if (opt_.skipBom && in_.substr(0, Bom.size()) == Bom) pos_ = Bom.size();
}

// Whether the byte at `i` begins a line break: LF, CR LF, or a CR that the
// options let end a line (one at the very end of the input always does).
bool Reader::atLineBreak(size_t i) const {
    const char c = in_[i];
    if (c == '\n') return true;
    if (c != '\r') return false;
    return opt_.loneCrEndsRecord || i + 1 >= in_.size() || in_[i + 1] == '\n';
}

bool Reader::next(std::vector<std::string_view> &fields) {
    fields.clear();
    if (pos_ >= in_.size()) return false;
    buf_.clear();
    spans_.clear();
    recordLine_ = lineNo_;
    endedAtBreak_ = false;

    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    State state = State::FieldStart;
    size_t fieldStart = 0;
    int quoteLine = 0;
    auto endField = [&] {
        if (opt_.trimBlanks && state != State::Quoted && state != State::AfterQuote)
            while (buf_.size() > fieldStart && isBlank(buf_.back())) buf_.pop_back();
        spans_.emplace_back(fieldStart, buf_.size() - fieldStart);
    };
    // Moves `i` onto the last byte of the line break at `i` and counts the line.
    auto lineBreak = [&](size_t &i) {
        const bool crlf = in_[i] == '\r' && i + 1 < in_.size() && in_[i + 1] == '\n';
        if (crlf) ++i;
        if (crlf || in_[i] == '\n' || opt_.loneCrCountsLine) ++lineNo_;
    };

    size_t i = pos_;
    for (; i < in_.size(); ++i) {
        const char c = in_[i];
        if (state == State::Quoted) {
            if (c == '"') {
                if (opt_.doubledQuotes && i + 1 < in_.size() && in_[i + 1] == '"') {
                    buf_ += '"';
                    ++i;
                } else {
                    state = State::AfterQuote;
                }
                continue;
            }
            if (c == '\r' || c == '\n') {
                if (!opt_.quotesSpanLines && atLineBreak(i)) {
                    lineBreak(i);
                    ++i;
                    endedAtBreak_ = true;
                    break;
                }
                const size_t from = i;
                if (atLineBreak(i)) lineBreak(i);
                if (opt_.quotedBreaksAsLf) buf_ += '\n';
                else buf_.append(in_.substr(from, i + 1 - from));
                continue;
            }
            buf_ += c;
            continue;
        }
        if (c == ',') {
            endField();
            fieldStart = buf_.size();
            state = State::FieldStart;
        } else if ((c == '\r' || c == '\n') && atLineBreak(i)) {
            lineBreak(i);
            ++i;
            endedAtBreak_ = true;
            break;
        } else if (state == State::AfterQuote && !opt_.keepAfterQuote) {
            // dropped up to the next ',' or line break
        } else if (c == '"' && state == State::FieldStart) {
            state = State::Quoted;
            quoteLine = lineNo_;
        } else if (isBlank(c) && state == State::FieldStart && opt_.trimBlanks) {
            // blanks before a field
        } else {
            // Runs of plain bytes are copied at once: most fields are unquoted.
            size_t j = i + 1;
            while (j < in_.size() && in_[j] != ',' && in_[j] != '\r' && in_[j] != '\n') ++j;
            buf_.append(in_.substr(i, j - i));
            i = j - 1;
            if (state == State::FieldStart) state = State::Unquoted;
        }
    }
    if (state == State::Quoted && !endedAtBreak_) unclosedLine_ = quoteLine;
    endField();
    pos_ = i;
    fields.reserve(spans_.size());
    for (const auto &[offset, length] : spans_) fields.emplace_back(buf_.data() + offset, length);
    return true;
}

Header::Header(const std::vector<std::string_view> &names) {
    for (const std::string_view n : names) names_.emplace_back(trimmed(n));
}

int Header::column(std::string_view name) const {
    for (size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) return static_cast<int>(i);
    return -1;
}

}  // namespace csv
