#pragma once
// The one CSV reader of the program and its tools, over bytes, one record at a
// time. By default it reads RFC 4180: fields are separated by ',' and records by
// CR LF, LF or a lone CR. A field that begins with '"' is quoted: it may hold ',',
// line breaks (read as LF) and '""' for one '"'. Being lenient where real files
// are sloppy, a '"' inside an unquoted field is an ordinary character, and text
// after a closing quote is kept. A quote still open at the end of the input is
// reported, never silently taken as the rest of the file. The file formats that
// were written against other rules say so through Options.
//
// Works on UTF-8 and any other encoding whose bytes for ',', '"', CR and LF are
// never part of a longer character (UTF-8, CP932's second bytes are >= 0x40).
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// Where a format's rules differ from RFC 4180.
struct Options {
    bool skipBom = true;                // a UTF-8 byte-order mark at the start is skipped
    bool doubledQuotes = true;          // '""' in a quoted field is one '"' (else the first closes it)
    bool keepAfterQuote = true;         // text after a closing quote is kept (else dropped up to ',')
    bool quotesSpanLines = true;        // a quoted field may hold line breaks (else a line break ends it)
    bool quotedBreaksAsLf = true;       // ... read as LF (else kept as they are)
    bool loneCrEndsRecord = true;       // a CR without LF ends a record (else an ordinary byte)
    bool loneCrCountsLine = true;       // ... and counts as a line for line()
    bool trimBlanks = false;            // spaces and tabs before a field and after an unquoted one are dropped
};

class Reader {
public:
    // `bytes` must outlive the reader.
    explicit Reader(std::string_view bytes, const Options &options = {});

    // The next record's fields (views valid until the next call); false at the
    // end of the input. Blank lines are records of one empty field.
    bool next(std::vector<std::string_view> &fields);

    // The line (1-based) on which the record last returned begins.
    int line() const { return recordLine_; }
    // The line of a quote left open at the end of the input, or 0.
    int unclosedQuoteLine() const { return unclosedLine_; }
    // Bytes read so far, and whether the record last returned ended with a line break.
    size_t position() const { return pos_; }
    bool endedAtLineBreak() const { return endedAtBreak_; }

private:
    bool atLineBreak(size_t i) const;

    std::string_view in_;
    Options opt_;
    bool endedAtBreak_ = false;
    size_t pos_ = 0;
    int lineNo_ = 1;
    int recordLine_ = 0;
    int unclosedLine_ = 0;
    std::string buf_;                               // the current record's unquoted text
    std::vector<std::pair<size_t, size_t>> spans_;  // offset and length of each field in buf_
};

// A record's fields by column name, from a header record.
class Header {
public:
    explicit Header(const std::vector<std::string_view> &names);
    // The column of `name`, or -1.
    int column(std::string_view name) const;
    // The field of `name` in `fields`, or empty when the column is missing or
    // the record is short.
    static std::string_view field(const std::vector<std::string_view> &fields, int column) {
        return column >= 0 && static_cast<size_t>(column) < fields.size() ? fields[static_cast<size_t>(column)]
                                                                          : std::string_view();
    }

private:
    std::vector<std::string> names_;
};

}  // namespace csv
