// tests/convert/conversion_test.cpp: whole conversions run as a user runs them: the console
// transcript and every file written for the bundled example and a hand-made model full of
// warnings, recorded in golden/ from the converter and checked by hand and with ogrinfo, shpdump
// and dbfdump.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "build_info.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

namespace fs = std::filesystem;

// Every file under the folder by its relative name, without the ones named. A .dbf file's date of
// last update (header bytes 1 to 3) is the day of the run: it is left out of the comparison.
std::map<std::string, std::vector<unsigned char>> filesUnder(const fs::path& folder,
                                                             const std::vector<std::string>& without) {
    std::map<std::string, std::vector<unsigned char>> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(entry.path(), folder).string();
        if (!entry.is_regular_file() || std::find(without.begin(), without.end(), name) != without.end()) continue;
        auto bytes = test::readBytes(entry.path());
        if (entry.path().extension() == ".dbf" && bytes.size() > 3) bytes[1] = bytes[2] = bytes[3] = 0;
        files[name] = std::move(bytes);
    }
    return files;
}

TEST(Conversion, WritesTheRecordedTranscriptLayersAndTables) {
    // The recording in golden/, the folder of the model and its projection file, the arguments.
    const std::tuple<std::string_view, std::string_view, std::string_view, std::string_view> recorded[] = {
        {"example-shp", "examples", "-shp", "example.inp"},
        {"example-mif", "examples", "-mif", "example.inp"},
        // Links that cannot be drawn, tables without a link and repeated stations: each is
        // reported, the rest is written.
        {"warnings-mif", "tests/convert/models/warnings", "-mif", "model.inp"},
    };
    for (const auto& [name, inputs, format, model] : recorded) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        std::vector<std::string> copied{"console.txt"};
        for (const auto& input : fs::directory_iterator(fs::path(ZX_SOURCE_DIR) / inputs)) {
            copied.push_back(input.path().filename().string());
            fs::copy_file(input.path(), dir.path() / copied.back());
        }
        const auto result = test::run({ZX_EXECUTABLE, std::string(format), std::string(model)}, dir.path());
        EXPECT_EQ(result.status, 0);
        const fs::path golden = fs::path(ZX_SOURCE_DIR) / "tests/convert/golden" / name;
        // The recorded transcript shows the build label as "<label>".
        std::string console = test::readText(golden / "console.txt");
        const std::string_view label = "<label>";
        console.replace(console.find(label), label.size(), kBuildLabel);
        EXPECT_EQ(result.out, console);
        const auto expected = filesUnder(golden, copied);
        const auto written = filesUnder(dir.path(), copied);
        for (const auto& [file, bytes] : expected)
            EXPECT_TRUE(written.contains(file) && written.at(file) == bytes) << file;
        for (const auto& [file, bytes] : written) EXPECT_TRUE(expected.contains(file)) << file << " not expected";
    }
}

}  // namespace
}  // namespace zx
