#include "csv_reader.h"

namespace csv {

namespace {
constexpr std::string_view Bom("\xEF\xBB\xBF", 3);

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}
}  // namespace

Reader::Reader(std::string_view bytes) : in_(bytes) {
    if (in_.substr(0, Bom.size()) == Bom) pos_ = Bom.size();
}

bool Reader::next(std::vector<std::string_view> &fields) {
    fields.clear();
    if (pos_ >= in_.size()) return false;
    buf_.clear();
    spans_.clear();
    recordLine_ = lineNo_;

    enum class State { FieldStart, Unquoted, Quoted, AfterQuote };
    State state = State::FieldStart;
    size_t fieldStart = 0;
    int quoteLine = 0;
    auto endField = [&] { spans_.emplace_back(fieldStart, buf_.size() - fieldStart); };
    auto lineBreak = [&](size_t &i) {
        if (in_[i] == '\r' && i + 1 < in_.size() && in_[i + 1] == '\n') ++i;
        ++lineNo_;
    };

    size_t i = pos_;
    for (; i < in_.size(); ++i) {
        const char c = in_[i];
        if (state == State::Quoted) {
            if (c == '"') {
                if (i + 1 < in_.size() && in_[i + 1] == '"') {
                    buf_ += '"';
                    ++i;
                } else {
                    state = State::AfterQuote;
                }
            } else {
                if (c == '\r' || c == '\n') {
                    lineBreak(i);
                    buf_ += '\n';
                    continue;
                }
                buf_ += c;
            }
            continue;
        }
        if (c == ',') {
            endField();
            fieldStart = buf_.size();
            state = State::FieldStart;
        } else if (c == '\r' || c == '\n') {
            lineBreak(i);
            ++i;
            break;
        } else if (c == '"' && state == State::FieldStart) {
            state = State::Quoted;
            quoteLine = lineNo_;
        } else {
            // Runs of plain bytes are copied at once: most fields are unquoted.
            size_t j = i;
            while (j < in_.size() && in_[j] != ',' && in_[j] != '\r' && in_[j] != '\n') ++j;
            buf_.append(in_.substr(i, j - i));
            i = j - 1;
            if (state == State::FieldStart) state = State::Unquoted;
        }
    }
    if (state == State::Quoted) unclosedLine_ = quoteLine;
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
