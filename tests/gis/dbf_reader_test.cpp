// tests/gis/dbf_reader_test.cpp: attribute tables as writers other than ours leave them, read
// record by record beside their shapes, and the tables whose header or records cannot be read.
#include <fstream>

#include "gis/byte_order.hpp"
#include "gis/gis_test_support.hpp"

namespace zx::test {
namespace {

struct Field {
    std::string name;  // up to 11 bytes, written as given
    char type;
    int width;
};

// A dBASE table: the header's lengths as the fields need them unless given, then the records
// (each with its flag byte) and, when asked, the end byte.
Bytes dbfFile(const std::vector<Field>& fields, const std::vector<std::string>& records, std::int32_t count,
              bool endByte = true, int headerLength = 0) {
    Bytes file(32);
    int recordLength = 1;
    for (const Field& f : fields) recordLength += f.width;
    bytes::putLE32(&file[4], static_cast<std::uint32_t>(count));
    bytes::putLE16(&file[8], static_cast<std::uint16_t>(headerLength > 0 ? headerLength : 33 + 32 * int(fields.size())));
    bytes::putLE16(&file[10], static_cast<std::uint16_t>(recordLength));
    file[0] = 3;
    for (const Field& f : fields) {
        Bytes d(32);
        std::copy(f.name.begin(), f.name.end(), d.begin());
        d[11] = static_cast<unsigned char>(f.type);
        d[16] = static_cast<unsigned char>(f.width);
        file.insert(file.end(), d.begin(), d.end());
    }
    file.push_back(0x0D);
    for (const std::string& r : records) file.insert(file.end(), r.begin(), r.end());
    if (endByte) file.push_back(0x1A);
    return file;
}

class DbfReaderTest : public LayerTest {
protected:
    // A point layer of the given number of objects whose table is then replaced by the bytes.
    void layerWithTable(int points, const Bytes& table) {
        std::vector<std::pair<double, double>> at;
        for (int i = 0; i < points; ++i) at.emplace_back(i, i);
        writePointLayer("t.shp", at, 0);
        std::ofstream(dir.file("t_P.dbf"), std::ios::binary)
            .write(reinterpret_cast<const char*>(table.data()), static_cast<std::streamsize>(table.size()));
    }
    GisAttributeTemplate& gisAttributeTemplate() { return table->gisAttributeTemplate; }
};

TEST_F(DbfReaderTest, RecordsReadAsOtherWritersLeaveThem) {
    // A name with bytes behind its NUL; a NUL flag byte is a live record; a quote inside a
    // character value is doubled; a number with a decimal comma is quoted; a short table ends at
    // the file's end with a warning.
    layerWithTable(3, dbfFile({{std::string("ID\0ZZ", 5), 'C', 10}, {"N", 'N', 4}},
                              {" say \"hi\"    12", std::string(1, '\0') + "plain     2,75"}, 3, false));
    const auto objects = readLayer("t_P.shp");
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].record, "\"say \"\"hi\"\"\",  12");
    EXPECT_EQ(objects[1].record, "\"plain\",\"2,75\"");
    EXPECT_EQ(objects[2].record, "");
    const std::string transcript = console.text();
    EXPECT_NE(transcript.find("2 DBF Fields (Name [#/Type/Length]): ID [1/C/10]  N [2/N/4]  "), std::string::npos);
    EXPECT_NE(transcript.find("WARNING 0405 - Insufficient number of records found in .dbf file.\n"
                              "               Found 2, expecting 3.\n"),
              std::string::npos)
        << transcript;
}

TEST_F(DbfReaderTest, LongRecordsReachTheCallerWhole) {
    std::vector<Field> fields;
    std::string record = " ";
    for (int i = 0; i < 5; ++i) {
        fields.push_back({"F" + std::to_string(i), 'C', 250});
        record += std::string(249, char('a' + i)) + " ";
    }
    layerWithTable(1, dbfFile(fields, {record}, 1));
    const auto objects = readLayer("t_P.shp");
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(objects[0].record.size(), 5u * 251 + 4);
    EXPECT_EQ(objects[0].record.substr(1003, 7), "ddd\",\"e");
}

TEST_F(DbfReaderTest, UnreadableTablesStopTheRun) {
    std::vector<Field> many;
    for (int i = 0; i < 129; ++i) many.push_back({"F" + std::to_string(i), 'N', 1});
    const std::vector<Field> one{{"ID", 'C', 2}};
    struct Case {
        Bytes table;
        std::string pattern;
    };
    const Case cases[] = {
        {dbfFile(one, {"X12"}, 1), "\nERROR 0406 - Unrecognised record identifier found in \\.dbf file\\.\n"
                                   "Character = X \\[88\\]\nData line thus far =\n"},
        {dbfFile(one, {" 1"}, 1, false), "\nERROR 0408 - End of \\.dbf file encountered whilst reading record\\.\n"},
        {dbfFile(many, {}, 0), "\nERROR 0401 - Exceeded maximum number of dbf Fields\\.\n"},
        {dbfFile({{"ID", 'C', 0}}, {}, 0),
         "\nERROR 0402 - dbf field length of 0 is outside allowable range of 1 to 255\\.\n"},
        {dbfFile({}, {}, 0), "\nERROR 0319 - No attributes specified in \\.dbf file\\.\n"},
        {Bytes(40), "\nERROR 0404 - End of \\.dbf file encountered whilst reading header\\.\n"},
        {dbfFile(one, {" 12"}, 1, true, 40),
         "\nERROR 0403 - Reading \\.dbf file header\\.\nHeader length 40 or record length 3 too short for its 1 "
         "fields\\.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        layerWithTable(1, c.table);
        ZX_EXPECT_STOP(readLayer("t_P.shp"), c.pattern);
    }
}

}  // namespace
}  // namespace zx::test
