// tests/gis/dbf_writer_test.cpp: the dBASE table of a shapefile set: header and field
// descriptors, field types and names, records split from attribute lines, and the fatal cases.
#include <ctime>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class DbfWriterTest : public LayerTest {
protected:
    // Writes one table of the given columns, one record per line, and returns the .dbf bytes.
    Bytes tableOf(std::vector<GisAttributeColumn> columns, std::vector<std::string> lines) {
        useColumns(std::move(columns));
        int id = openOutput("t.shp", "P");
        object.point = true;
        for (const auto& line : lines) write(id, {1, 1}, line);
        table->closeLayer(id);
        return readBytes("t_P.dbf");
    }
    static std::string record(const Bytes& dbf, std::size_t index) {
        const std::size_t start = le(dbf, 8, 2) + index * le(dbf, 10, 2);
        return std::string(dbf.begin() + static_cast<long>(start),
                           dbf.begin() + static_cast<long>(start + le(dbf, 10, 2)));
    }
};

struct FieldCase {
    std::string_view name, type;
    int templateWidth;
    std::string_view field;  // the descriptor's name, letter, width and decimals
    char letter;
    int width, decimals;
};

TEST_F(DbfWriterTest, HeaderAndFieldDescriptorsFollowTheDbaseLayout) {
    const FieldCase cases[] = {
        {" 1st-Pipe Name", "Char", 12, "1stPipeNam", 'C', 12, 0},
        {"a", "  character", 3, "a", 'C', 3, 0},
        {"Flag", "Logical", 9, "Flag", 'C', 1, 0},
        {"Len_or_ANA", "Float", 12, "Len_or_ANA", 'N', 16, 5},
        {"-", "Integer", 0, "X", 'N', 8, 0},
        {"d", "Decimal(10,3)", 10, "d", 'N', 10, 0},
    };
    std::vector<GisAttributeColumn> columns;
    for (const auto& c : cases) columns.push_back({std::string(c.name), std::string(c.type), c.templateWidth});
    const auto dbf = tableOf(columns, {"a", "b", "c"});
    const std::time_t now = std::time(nullptr);
    const std::tm today = *std::localtime(&now);
    EXPECT_EQ(std::vector<int>(dbf.begin(), dbf.begin() + 4),
              std::vector({3, today.tm_year, today.tm_mon + 1, today.tm_mday}));
    EXPECT_EQ(std::vector({le(dbf, 4), le(dbf, 8, 2), le(dbf, 10, 2)}), std::vector({3u, 32u * 6 + 33, 1u + 50}));
    EXPECT_EQ(Bytes(dbf.begin() + 12, dbf.begin() + 32), Bytes(20, 0));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.type);
        const Bytes descriptor(dbf.begin() + 32 * static_cast<long>(i + 1),
                               dbf.begin() + 32 * static_cast<long>(i + 2));
        std::string name(c.field);
        name.resize(11, '\0');  // zero bytes, not blanks, pad the name
        EXPECT_EQ(std::string(descriptor.begin(), descriptor.begin() + 11), name);
        EXPECT_EQ(std::vector<int>(descriptor.begin() + 11, descriptor.begin() + 18),
                  std::vector<int>({c.letter, 0, 0, 0, 0, c.width, c.decimals}));
        EXPECT_EQ(Bytes(descriptor.begin() + 18, descriptor.end()), Bytes(14, 0));
    }
    EXPECT_EQ(dbf[32 * 7], 0x0D);
    EXPECT_EQ(dbf.size(), 32u * 7 + 1 + 3 * 51 + 1);
    EXPECT_EQ(dbf.back(), 0x1A);
}

struct RecordCase {
    std::string_view line;
    std::string_view name, length, count;  // the values the record holds
};

TEST_F(DbfWriterTest, RecordsTakeTheirValuesFromTheLineAndNothingFromEarlierRecords) {
    const RecordCase cases[] = {
        {R"("AB",12.345,7)", "AB", "12.345", "7"},
        {R"('it''s, /x'  -1.5 , 3)", "it's, /x", "-1.5", "3"},
        {R"("ABCDEFGHIJKL",1.23456789012345678,123456789)", "ABCDEFGHIJ", "1.23456789012345", "12345678"},
        {"2*9 5", "9", "9", "5"},
        {",,4", "", "", "4"},
        {"\"kept\" / 1 2", "kept", "", ""},
        {"x", "x", "", ""},
        {"3*", "", "", ""},
    };
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.emplace_back(c.line);
    const auto dbf = tableOf({{"Name", "Char", 10}, {"Length", "Float", 0}, {"Count", "Integer", 0}}, lines);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.line);
        // Character fields stand on the left, numbers on the right.
        const std::string expected = " " + std::string(c.name) + std::string(10 - c.name.size(), ' ') +
                                     std::string(16 - c.length.size(), ' ') + std::string(c.length) +
                                     std::string(8 - c.count.size(), ' ') + std::string(c.count);
        EXPECT_EQ(record(dbf, i), expected);
    }
    const RunResult dump = runReader({"dbfdump", "t_P.dbf"});
    EXPECT_NE(dump.out.find("it's, /x"), std::string::npos) << dump.out;
}

TEST_F(DbfWriterTest, AttributeOnlyTableIsAWholeTable) {
    useColumns({{"Name", "Char", 10}});
    int id = table->openLayer("only.dbf", "P", "O ", true);
    table->writeHeader(id);
    object.point = true;
    for (const auto* line : {"a", "b"}) {
        table->gisAttributeLine = line;
        table->writeRecord(id, object);
    }
    table->closeLayer(id);
    EXPECT_EQ(readBytes("only.dbf").size(), 65u + 2 * 11 + 1);
    EXPECT_NE(ogrinfo("only.dbf").find("Feature Count: 2\n"), std::string::npos);
}

TEST_F(DbfWriterTest, HeaderAndLineFailuresStopTheRun) {
    const std::string contact = " - please contact " + contactPattern() + "\\.\n";
    auto header = [&](std::vector<GisAttributeColumn> columns) { return [=, this] { tableOf(columns, {}); }; };
    auto lineOf = [&](std::string line, bool large) {
        return [=, this] {
            useColumns({{"A", "Char", 4}});
            const int id = openOutput("t.shp", "P");
            object.point = true;
            setVertices({1, 1});
            table->writeObject(id, object);
            (large ? table->gisAttributeLineLarge : table->gisAttributeLine) = line;
            large ? table->writeRecordLarge(id, object) : table->writeRecord(id, object);
        };
    };
    expectStops({
        {header(std::vector<GisAttributeColumn>(129, {"A", "Char", 1})),
         "\n\nERROR 0411 - Exceeded maximum number of dbf Fields trying to write dbf file\\.\n"},
        {header({}), "\n\nERROR 0319 - No attributes specified when writing \\.dbf file\\.\n"},
        {header({{"A", "Smallint", 4}}), "\n\nShould not be here \\[Unrecognised DBF field\\]" + contact},
        {header({{"A", "Char", 40000}, {"B", "Char", 40000}}),
         "\n\nShould not be here \\[dbfTotLen>32767\\]" + contact},
        {lineOf("\"open", false), "\n\nShould not be here \\[dbfdataline\\]" + contact + "\"open\n"},
        {lineOf("'x'y", true), "\n\nShould not be here \\[dbfdatalinelarge\\]" + contact + "'x'y\n"},
        {[&] { table->writeDbfLine(table->slot(1).dbf[0]); }, "^\nERROR 0417 - Writing \\.dbf record\\.\n"},
        {[&] { table->writeDbfLineLarge(table->slot(1).dbf[0]); }, "^\nERROR 0417 - Writing large \\.dbf record\\.\n"},
        {header({{"A", "Char", 4}, {"B", "Char", 0}}),
         "\n\nERROR 0412 - dbf field length of 0 is outside allowable range of 1 to 255 when writing dbf file\\.\n"},
    });
    EXPECT_EQ(readBytes("t_P.dbf").size(), 64u);  // ERROR 0412 came after the first field's descriptor
}

}  // namespace
}  // namespace zx::test
