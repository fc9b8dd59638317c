// The three CSV formats share one reader; each keeps its own rules where they differ.
#include "core/csv_reader.h"
#include "core/tape_list.h"
#include "fare_csv.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows gtfsRows(const std::string &in) {
    csv::Reader reader(in);
    std::vector<std::string_view> fields;
    Rows rows;
    while (reader.next(fields)) rows.emplace_back(fields.begin(), fields.end());
    return rows;
}

Rows fareRows(const std::string &in) {
    Rows rows;
    for (const QList<QByteArray> &r : fare_csv::records(QByteArray::fromStdString(in), 10).rows) {
        rows.emplace_back();
        for (const QByteArray &f : r) rows.back().push_back(f.toStdString());
    }
    return rows;
}

Rows tapeRows(const std::string &in) {
    Rows rows;
    if (const auto list = tape_list::parse(QByteArray::fromStdString(in)))
        for (const TapeEntry &e : *list)
            rows.push_back({e.Text.toStdString(), std::to_string(e.StepFlag), std::to_string(e.SoundFlag)});
    return rows;
}

}  // namespace

TEST(CsvRules, EachFormatKeepsItsQuoteAndLineRules) {
    struct Case {
        const char *in;
        Rows gtfs, fare, tape;
    };
    const Case cases[] = {
        // Text after a closing quote: kept, kept, dropped; a doubled quote: one quote, one, the end.
        {"\"a\"b,1,2\n", {{"ab", "1", "2"}}, {{"ab", "1", "2"}}, {{"a", "1", "2"}}},
        {"\"a\"\"b\",1,2\n", {{"a\"b", "1", "2"}}, {{"a\"b", "1", "2"}}, {{"a", "1", "2"}}},
        // A lone CR: a record end for the two spreadsheets' formats, a character in a list.
        {"x\ry,1,2\n", {{"x"}, {"y", "1", "2"}}, {{"x"}, {"y", "1", "2"}}, {{"x\ry", "1", "2"}}},
        // A quoted line break: LF, as written, or the end of the entry.
        {"\"p\r\nq\",1,2\n", {{"p\nq", "1", "2"}}, {{"p\r\nq", "1", "2"}}, {{"p", "0", "0"}, {"q\"", "1", "2"}}},
        // Blanks around fields: kept, kept, dropped outside quotes.
        {"\" t \" , 1 , 2 \n", {{" t  ", " 1 ", " 2 "}}, {{" t  ", " 1 ", " 2 "}}, {{" t ", "1", "2"}}},
        {" s ,1,2\n", {{" s ", "1", "2"}}, {{" s ", "1", "2"}}, {{"s", "1", "2"}}},
        // Blank lines and a last line without its end.
        {"\r\n\nz,1,2", {{""}, {""}, {"z", "1", "2"}}, {{}, {}, {"z", "1", "2"}}, {{"", "0", "0"}, {"", "0", "0"}, {"z", "1", "2"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(gtfsRows(c.in), c.gtfs);
        EXPECT_EQ(fareRows(c.in), c.fare);
        EXPECT_EQ(tapeRows(c.in), c.tape);
    }
}

TEST(CsvRules, UnclosedQuoteLineCountsLoneCrOnlyInGtfs) {
    const std::string in = "a\rb\n\"c,d\n";
    csv::Reader reader(in);
    std::vector<std::string_view> fields;
    while (reader.next(fields)) {
    }
    EXPECT_EQ(reader.unclosedQuoteLine(), 3);
    EXPECT_EQ(fare_csv::records(QByteArray::fromStdString(in), 10).unclosedQuoteLine, 2);
    // More than the wanted rows: cut after the row that is one too many.
    const fare_csv::Records cut = fare_csv::records("1\n2\n3\n\"", 2);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.consumed, 6);
    EXPECT_EQ(cut.unclosedQuoteLine, 0);
}
