// tests/gis/dbf_writer_test.cpp: the dBASE table of a shapefile set: header and field
// descriptors, field types and names, records split from attribute lines, attribute-only tables.
#include <algorithm>
#include <ctime>

#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

class DbfWriterTest : public LayerTest {
protected:
    // Writes one table of the given columns, one point and record per line, and returns its bytes.
    Bytes tableOf(std::vector<GisAttributeColumn> columns, const std::vector<std::string>& lines) {
        table->gisAttributeTemplate.columns = std::move(columns);
        int id = openOutput("t.shp", "P");
        for (const auto& line : lines) put(id, &GisObject::point, {1, 1}, line);
        table->closeLayer(id);
        return readBytes("t_P.dbf");
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
    // Version, date of today, record count, header length 32 n + 33 and record length with the
    // deletion byte, all little-endian.
    EXPECT_EQ(std::vector<int>(dbf.begin(), dbf.begin() + 4),
              std::vector({3, today.tm_year, today.tm_mon + 1, today.tm_mday}));
    EXPECT_EQ(std::vector({le(dbf, 4), le(dbf, 8, 2), le(dbf, 10, 2)}), std::vector({3u, 32u * 6 + 33, 1u + 50}));
    EXPECT_EQ(Bytes(dbf.begin() + 12, dbf.begin() + 32), Bytes(20, 0));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.type);
        Bytes descriptor(32, 0);  // the name padded with zero bytes, not blanks
        std::copy(c.field.begin(), c.field.end(), descriptor.begin());
        descriptor[11] = static_cast<unsigned char>(c.letter);
        descriptor[16] = static_cast<unsigned char>(c.width);
        descriptor[17] = static_cast<unsigned char>(c.decimals);
        EXPECT_EQ(Bytes(dbf.begin() + 32 * static_cast<long>(i + 1), dbf.begin() + 32 * static_cast<long>(i + 2)),
                  descriptor);
    }
    EXPECT_EQ(dbf[32 * 7], 0x0D);
    EXPECT_EQ(dbf.size(), 32u * 7 + 1 + 3 * 51 + 1);
    EXPECT_EQ(dbf.back(), 0x1A);
}

struct RecordCase {
    std::string_view line, record;
};

TEST_F(DbfWriterTest, RecordsTakeTheirValuesFromTheLineAndNothingFromEarlierRecords) {
    // After the deletion byte, character fields stand on the left, numbers on the right.
    const RecordCase cases[] = {
        {R"("AB",12.345,7)", " AB                  12.345       7"},
        {R"('it''s, /x'  -1.5 , 3)", " it's, /x              -1.5       3"},
        {R"("ABCDEFGHIJKL",1.23456789012345678,123456789)", " ABCDEFGHIJ1.2345678901234512345678"},
        {"2*9 5", " 9                        9       5"},
        {",,4", "                                  4"},
        {"\"kept\" / 1 2", " kept                              "},
        {"x", " x                                 "},
    };
    std::vector<std::string> lines;
    for (const auto& c : cases) lines.emplace_back(c.line);
    const auto dbf = tableOf({{"Name", "Char", 10}, {"Length", "Float", 0}, {"Count", "Integer", 0}}, lines);
    ASSERT_EQ(le(dbf, 10, 2), 35u);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].line);
        const auto record = dbf.begin() + static_cast<long>(le(dbf, 8, 2) + 35 * i);
        EXPECT_EQ(std::string(record, record + 35), cases[i].record);
    }
    EXPECT_NE(runReader({"dbfdump", "t_P.dbf"}).out.find("it's, /x"), std::string::npos);
}

// A table without geometry files gets its header at the start of the layer like any other.
TEST_F(DbfWriterTest, AttributeOnlyTableIsAWholeTable) {
    table->gisAttributeTemplate.columns = {{"Name", "Char", 10}};
    int id = table->openLayer("only.dbf", "P", "O ", true);
    table->writeHeader(id);
    object.point = true;
    table->gisAttributeLine = "a";
    table->writeRecord(id, object);
    table->writeRecord(id, object);
    table->closeLayer(id);
    EXPECT_EQ(readBytes("only.dbf").size(), 65u + 2 * 11 + 1);
    EXPECT_NE(ogrinfo("only.dbf").find("Feature Count: 2\n"), std::string::npos);
}

}  // namespace
}  // namespace zx::test
