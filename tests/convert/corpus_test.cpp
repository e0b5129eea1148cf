// tests/convert/corpus_test.cpp: every public model of the corpus (tab-separated, indented,
// commented, CRLF, blank lines inside sections) converted with -shp and with -mif, as a user
// would. Each either reads the records INDEX.tsv counts and finishes with the layers that its
// sections call for, every one of them read by GDAL's ogrinfo without an error and with the
// number of objects that follows from the model, or stops with the message its content calls for.
//
// The outcomes were worked out from the models, not taken from the converter: a link layer holds
// every conduit and weir and each orifice whose two nodes have coordinates; a transect has a line
// for every IRREGULAR cross-section that names it, and a height-width table one for its link, when
// the cross-section's conduit or weir has two nodes of distinct coordinates; a BOTTOM orifice gets
// two matrix files. The run stops at the first
// conduit, weir or junction whose node has no coordinates, at the first weir or orifice whose
// Node1 is no junction (a storage unit, divider or outfall) and at a BOTTOM orifice whose Node2
// is no junction.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = ZX_CORPUS_DIR;

struct Outcome {
    std::string_view model{};  // the corpus file without ".inp"
    std::string stop{};        // the message the run stops with; empty when it finishes
    // Objects per layer; none where the model does not call for the layer.
    std::optional<int> links{}, junctions{}, transects{}, heightWidth{};
    int bottomOrifices = 0;
};

void PrintTo(const Outcome& outcome, std::ostream* out) { *out << outcome.model; }

const std::string kNoCoordinates = "Unable to find coordinates for node ";
const std::string kWeirFrom = "ERROR - Unable to find Junction data for weir: ";

const Outcome kOutcomes[] = {
    {"AaltoUrbanWater__GisToSWMM5__demo_catchment__out__SWMM_in__demo_catchment_adap", "", 13, 13},
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__brh05__user5_reduced", "", 12, 12, 8},
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__level01_test__extran1_rect_triangular_mod", "", 9, 9, 2, 7},
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__release_tests__all_geometry_test", "", 38, 38, 4, 2},
    {"SWMM-Project__swmm-nrtestsuite__public__examples__Example1", "", 13, 13},
    {"SWMM-Project__swmm-nrtestsuite__public__extran__extran8a", "", 9, 9, 3},
    // Five IRREGULAR conduits share two transects: a line each.
    {"SWMM-Project__swmm-nrtestsuite__public__update_v52__Example7-Final", "", 23, 15, 12},
    {"SWMMEnablement__1729-SWMM5-Models__EPA__extran1_dummy", "", 9, 9},
    {"SWMMEnablement__1729-SWMM5-Models__EPA__extran1_triangular", "", 9, 9, 9},
    // Cross-sections of every shape and no link: an empty height-width layer.
    {"USEPA__SWMM-EPANET_User_Interface__test__core__swmm__CrossSectionAllShapes", "", {}, {}, {}, 0},
    {"kLabUM__pystorms__pystorms__networks__alpha", "", 32, 26, 12, {}, 5},
    {"pyswmm__swmmio__swmmio__tests__data__model_full_features_network", "", 8, 7, 1},
    {"pyswmm__swmmio__swmmio__tests__data__model_state_plane", "", 44, 31},
    // The readers stop: an orifice line without CloseTime, a weir line of 13 words between merge
    // markers.
    {"SWMM-Project__swmm-nrtestsuite__public__extran__extran3",
     "ERROR - Unexpected end of [ORIFICES] block line.  Erroneous line is:"},
    {"SWMMEnablement__1729-SWMM5-Models__LEW_update_v5113__Extran4mod",
     "ERROR - Reading [WEIRS] block line.  input data is not complete"},
    // Nodes without coordinates.
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__brh05__user5_K", kNoCoordinates + "9SB14"},
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__release_tests__all_orifice_test", kNoCoordinates + "J1"},
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__release_tests__all_weir_test", kNoCoordinates + "J4"},
    {"CIMM-ORG__SWMM5plus__test_cases__user5_a", kNoCoordinates + "1SB3_MILup"},
    {"SWMMEnablement__1729-SWMM5-Models__SWMM5_NCIMM__8342_Nodes", kNoCoordinates + "40613010D"},
    // Weirs from storage units, dividers and outfalls.
    {"A-Spangler__InnerHarbor_SWMMModel__Inner_Harbor_Model_V19", kWeirFrom + "1"},
    // Its offsets are "*" under LINK_OFFSETS ELEVATION: the links sit on their nodes' inverts.
    {"Jannik-Schilling__generate_swmm_inp__test_data__swmm_data__Test_5_1", kWeirFrom + "W_1"},
    {"ImperialCollegeLondon__SWMManywhere__src__swmmanywhere__defs__basic_drainage_all_bits", kWeirFrom + "2"},
    {"SWMM-Project__swmm-nrtestsuite__public__user__user2", kWeirFrom + "WEIR1@TW01355-TW01350"},
    {"SWMMEnablement__1729-SWMM5-Models__Hydrology__CN_Horton", kWeirFrom + "WEIR-11"},
    {"SWMMEnablement__1729-SWMM5-Models__SWMM5_NCIMM__399_H&H_Elements", kWeirFrom + "WEIR-R6"},
    {"USEPA__Stormwater-Management-Model__tests__swmm-nrtestsuite__tests__examples__Example6", kWeirFrom + "Roadway"},
    {"michaeltryby__swmm_api__examples__epaswmm5_apps_manual__Example6-Final", kWeirFrom + "W1"},
    // A BOTTOM orifice into a storage unit.
    {"CIMM-ORG__SWMM5plus__ctest__internal_testing__level01_test__force_main_example_mod",
     "ERROR - Unable to find Downstream Junction data for Orifice: 149"},
};

// The columns of INDEX.tsv that the reading reports, with the words after the number.
constexpr std::pair<std::string_view, std::string_view> kCounted[] = {
    {"conduits", " conduits.\n"}, {"weirs", " weirs.\n"}, {"orifices", " orifices.\n"}, {"xsections", " xsections.\n"},
    {"transects", " TRANSECTS.\n"}, {"losses_lines", " LOSSES.\n"}, {"junctions", " junctions.\n"},
    {"coordinates", " coordinate points.\n"}, {"vertices_lines", " additional vertices.\n"}};

// The model's row of INDEX.tsv by column name.
std::map<std::string, std::string> indexRow(std::string_view model) {
    std::ifstream index(kCorpus / "INDEX.tsv");
    std::string header, row;
    std::getline(index, header);
    while (std::getline(index, row) && !row.starts_with(std::string(model) + ".inp\t")) {}
    std::map<std::string, std::string> values;
    std::istringstream names(header), fields(row);
    for (std::string name, field; std::getline(names, name, '\t') && std::getline(fields, field, '\t');)
        values[name] = field;
    return values;
}

// The objects ogrinfo reads from a layer, -1 when there is no layer; fails the test on anything
// ogrinfo reports.
int featureCount(const fs::path& folder, const std::string& layer) {
    if (!fs::exists(folder / layer)) return -1;
    const auto result = test::runFromPath({"ogrinfo", "-ro", "-al", layer}, folder);
    EXPECT_EQ(result.status, 0) << layer;
    EXPECT_EQ(result.err.find("ERROR"), std::string::npos) << layer << ": " << result.err;
    const std::string_view label = "Feature Count: ";
    const auto at = result.out.find(label);
    return at == std::string::npos ? -2 : std::stoi(result.out.substr(at + label.size()));
}

class CorpusConversion : public testing::TestWithParam<Outcome> {};

TEST_P(CorpusConversion, FinishesWithTheLayersItsModelCallsForOrStopsAsItsContentDemands) {
    const Outcome& outcome = GetParam();
    const fs::path model = kCorpus / (std::string(outcome.model) + ".inp");
    ASSERT_TRUE(fs::exists(model)) << "the corpus lacks " << model;
    ZX_REQUIRE_PROGRAM("ogrinfo");
    for (const bool mif : {false, true}) {
        SCOPED_TRACE(mif ? "mif" : "shp");
        test::TempDir dir;
        fs::copy_file(model, dir.path() / "model.inp");
        for (std::string_view projection : {"Projection.prj", "Projection.mif"})
            fs::copy_file(fs::path(ZX_SOURCE_DIR) / "examples" / projection, dir.path() / projection);
        const auto result = test::run({ZX_EXECUTABLE, mif ? "-mif" : "-shp", "model.inp"}, dir.path());
        // The readers' own stops come before the counts.
        if (outcome.stop.find("block line") == std::string_view::npos) {
            const auto index = indexRow(outcome.model);
            for (const auto& [column, words] : kCounted) {
                const std::string& count = index.at(std::string(column));
                // A section that is not there is not reported.
                if (count == "0" && result.out.find(words) == std::string::npos) continue;
                EXPECT_NE(result.out.find(" " + count + std::string(words)), std::string::npos) << column;
            }
        }
        if (!outcome.stop.empty()) {
            EXPECT_EQ(result.status, 1);
            EXPECT_NE(result.out.find("\n" + outcome.stop + "\n"), std::string::npos) << result.out;
            continue;
        }
        EXPECT_EQ(result.status, 0) << result.out;
        const auto check = [&](const std::optional<int>& count, const std::string& stem, std::string_view set) {
            const std::string layer = stem + (mif ? ".mif" : std::string(set) + ".shp");
            EXPECT_EQ(featureCount(dir.path(), layer), count.value_or(-1)) << layer;
        };
        check(outcome.links, "1d_nwk_model.inp", "_L");
        check(outcome.junctions, "1d_nwk_model.inp_junctions", "_P");
        check(outcome.transects, "xs/1d_xs_model.inp_transects", "_L");
        check(outcome.heightWidth, "xs/1d_hw_model.inp", "_L");
        const fs::path matrices = dir.path() / "matrix_flow";
        const auto files = fs::exists(matrices) ? std::distance(fs::directory_iterator(matrices), {}) : 0;
        EXPECT_EQ(files, 2 * outcome.bottomOrifices);
    }
}

// Without a corpus folder the models are not instantiated at all; one test says so.
std::vector<Outcome> corpusOutcomes() {
    if (kCorpus.empty()) return {};
    return {std::begin(kOutcomes), std::end(kOutcomes)};
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusConversion, testing::ValuesIn(corpusOutcomes()));
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusConversion);

TEST(Corpus, IsThereOrTheCorpusTestsAreOff) {
    if (kCorpus.empty()) GTEST_SKIP() << "corpus tests are off: no corpus folder (CMake variable ZX_CORPUS_DIR)";
    EXPECT_TRUE(fs::is_directory(kCorpus)) << kCorpus;
}

}  // namespace
}  // namespace zx
