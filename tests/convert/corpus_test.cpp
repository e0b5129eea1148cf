// tests/convert/corpus_test.cpp: public SWMM models as their makers wrote them (tab-separated,
// indented, commented, CRLF, blank lines inside sections) read into tables of the sizes that
// INDEX.tsv records; the few that break the accepted syntax stop with the reader's message.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <sstream>

#include "convert/inp_file.hpp"
#include "convert/main_program.hpp"

namespace zx::convert {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(ZX_SHARED_DIR) / "corpus";

// Models that break the syntax the readers accept, with the reason and the message they stop on.
const std::map<std::string, std::string, std::less<>> kStops = {
    // "*" stands for a default offset in SWMM; it is no number.
    {"Jannik-Schilling__generate_swmm_inp__test_data__swmm_data__Test_5_1.inp",
     "ERROR - Reading \\[conduits\\] block line.  Erroneous line is:\n *C_10 "},
    // An orifice line without its CloseTime.
    {"SWMM-Project__swmm-nrtestsuite__public__extran__extran3.inp",
     "ERROR - Unexpected end of \\[ORIFICES\\] block line.  Erroneous line is:\n *90010 "},
    // Unresolved merge markers: a weir line of 13 words.
    {"SWMMEnablement__1729-SWMM5-Models__LEW_update_v5113__Extran4mod.inp",
     "ERROR - Reading \\[WEIRS\\] block line.  input data is not complete\n"},
};

std::vector<std::string> fields(const std::string& row) {
    std::vector<std::string> result;
    std::istringstream in(row);
    for (std::string field; std::getline(in, field, '\t');) result.push_back(field);
    return result;
}

TEST(CorpusDeathTest, EveryModelReadsWithTheCountsOfItsIndexOrStopsAsExpected) {
    if (!std::filesystem::exists(kCorpus / "INDEX.tsv")) GTEST_SKIP() << "no corpus at " << kCorpus;
    std::ifstream index(kCorpus / "INDEX.tsv");
    std::string row;
    std::getline(index, row);
    const std::vector<std::string> header = fields(row);
    const auto column = [&](std::string_view name) {
        return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    int models = 0;
    while (std::getline(index, row)) {
        const auto values = fields(row);
        const std::string& name = values[column("saved_name")];
        const auto count = [&](std::string_view field) { return std::stoul(values[column(field)]); };
        SCOPED_TRACE(name);
        ++models;
        std::ifstream model(kCorpus / name, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(model)), std::istreambuf_iterator<char>());
        Network network;
        if (const auto stop = kStops.find(name); stop != kStops.end()) {
            ZX_EXPECT_STOP({
                test::InpFile file(text);
                readNetwork(network, file.unit());
            }, stop->second);
            continue;
        }
        test::consoleOf(text, [&](int unit) { readNetwork(network, unit); });
        EXPECT_EQ(network.inpConduitTable.count(), count("conduits"));
        EXPECT_EQ(network.inpWeirTable.count(), count("weirs"));
        EXPECT_EQ(network.inpOrificeTable.count(), count("orifices"));
        EXPECT_EQ(network.inpXsectionTable.count(), count("xsections"));
        EXPECT_EQ(network.xsTableSet.size(), count("transects"));
        EXPECT_EQ(network.inpLossTable.count(), count("losses_lines"));
        EXPECT_EQ(network.inpJunctionTable.count(), count("junctions"));
        EXPECT_EQ(network.inpCoordinates.count(), count("coordinates"));
        const std::size_t vertices = std::accumulate(network.inpVertexTable.begin(), network.inpVertexTable.end(),
                                                     std::size_t{0},
                                                     [](std::size_t n, const inpVertexList& v) { return n + v.NVert(); });
        EXPECT_EQ(vertices, count("vertices_lines"));
    }
    EXPECT_GT(models, 0);
}

}  // namespace
}  // namespace zx::convert
