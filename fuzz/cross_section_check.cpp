// fuzz/cross_section_check.cpp: the transect lines of the cross-section layer and the lines of the
// height-width layer against the model.
#include "fuzz/cross_section_check.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <cmath>
#include <sstream>
#include <unordered_map>
#include <vector>

#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "convert/inp_sections.hpp"
#include "convert/stage_support.hpp"
#include "fuzz/output_checks.hpp"
#include "gis/byte_order.hpp"
#include "platform/file.hpp"

namespace zx::fuzz {
namespace {

using convert::Point;
using Line = std::array<Point, 2>;

// The words of a cleaned data line, each cut as the converter cuts a name.
std::vector<std::string> wordsOf(std::string_view line) {
    std::vector<std::string> words;
    convert::InpWords split(line);
    std::string word;
    while (split.next(word) == convert::InpWords::Item::Word) {
        words.emplace_back(significantPart(std::string_view(word).substr(0, convert::kNameLength)));
    }
    return words;
}

// What the model says of its transects' and special shapes' links: names are keys under ASAME.
struct Model {
    std::unordered_map<std::string, Point> coordinates;  // the last line of a node holds
    std::unordered_map<std::string, std::pair<std::string, std::string>> conduits;  // the first holds
    std::unordered_map<std::string, std::pair<std::string, std::string>> weirs;     // the first holds
    std::vector<std::pair<std::string, std::string>> conduitLines;  // every line: name as written, key
    // The last line of a link holds, where it stands: its position, then the link's name as
    // written, its shape and Geom1.
    std::unordered_map<std::string, std::pair<std::size_t, std::array<std::string, 3>>> xsections;
    std::size_t xsectionLines = 0;
    std::unordered_map<std::string, int> transects;  // tables of each ID as the converter keeps it
};

void takeDataLine(Model& model, std::size_t section, const std::vector<std::string>& w) {
    namespace s = convert::section;
    if (section == s::kCoordinates && w.size() >= 3) {
        const auto x = convert::inpReal8(w[1]);
        const auto y = convert::inpReal8(w[2]);
        if (x && y) model.coordinates[asameKey(w[0])] = {*x, *y};
    } else if ((section == s::kConduits || section == s::kWeirs) && w.size() >= 3) {
        auto& links = section == s::kConduits ? model.conduits : model.weirs;
        links.try_emplace(asameKey(w[0]), w[1], w[2]);
        if (section == s::kConduits) model.conduitLines.emplace_back(w[0], asameKey(w[0]));
    } else if (section == s::kXsections && !w.empty()) {
        // A short line is a record too, of the fields it has.
        model.xsections[asameKey(w[0])] = {model.xsectionLines++,
                                           {w[0], w.size() > 1 ? w[1] : "", w.size() > 2 ? w[2] : ""}};
    } else if (section == s::kTransects && w.size() >= 2 && ASAME(w[0], "X1")) {
        ++model.transects[asameKey(significantPart(std::string_view(w[1]).substr(0, convert::kTableIdLength)))];
    }
}

Model readModel(std::string_view fileName) {
    Model model;
    std::string reason;
    const auto file = platform::File::open(fileName, platform::OpenIntent::Read, reason);
    if (!file) return model;
    std::optional<std::size_t> section;
    std::string line;
    for (bool first = true; file->readRecord(line) == platform::File::ReadStatus::Ok; first = false) {
        if (first && line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
        convert::inpCleanLine(line);
        if (convert::inpIsHeader(line)) {
            section = convert::inpHeaderSection(line);
        } else if (section && !line.empty()) {
            takeDataLine(model, *section, wordsOf(line));
        }
    }
    return model;
}

using Expected = std::vector<std::pair<std::string, Line>>;

// The line across the chord of the link's nodes; none when a node has no coordinates or the two
// coincide.
std::optional<Line> chordLine(const Model& model, const std::pair<std::string, std::string>& nodes) {
    const auto from = model.coordinates.find(asameKey(nodes.first));
    const auto to = model.coordinates.find(asameKey(nodes.second));
    if (from == model.coordinates.end() || to == model.coordinates.end()) return std::nullopt;
    return convert::crossLine(from->second, to->second);
}

// The transect lines the model calls for, each with the name of its link.
Expected transectLines(const Model& model) {
    std::vector<std::pair<std::size_t, const std::string*>> inOrder;
    for (const auto& [key, xsection] : model.xsections) inOrder.emplace_back(xsection.first, &key);
    std::sort(inOrder.begin(), inOrder.end());
    std::vector<std::pair<std::string, Line>> lines;
    for (const auto& [position, key] : inOrder) {
        const auto& [link, shape, geom1] = model.xsections.at(*key).second;
        const auto tables = model.transects.find(asameKey(geom1));
        if (!ASAME(shape, "IRREGULAR") || tables == model.transects.end()) continue;
        auto nodes = model.weirs.find(*key);
        if (nodes == model.weirs.end()) nodes = model.conduits.find(*key);
        if (nodes == model.conduits.end()) continue;
        const auto line = chordLine(model, nodes->second);
        for (int k = 0; line && k < tables->second; ++k) lines.emplace_back(link, *line);
    }
    return lines;
}

// The height-width lines: one per [CONDUITS] line whose cross-section is ARCH or RECT_TRIANGULAR,
// across the chord of the conduit of that name.
Expected heightWidthLines(const Model& model) {
    Expected lines;
    for (const auto& [name, key] : model.conduitLines) {
        const auto xsection = model.xsections.find(key);
        if (xsection == model.xsections.end()) continue;
        const std::string& shape = xsection->second.second[1];
        if (!ASAME(shape, "ARCH") && !ASAME(shape, "RECT_TRIANGULAR")) continue;
        if (const auto line = chordLine(model, model.conduits.at(key))) lines.emplace_back(name, *line);
    }
    return lines;
}

std::string readFile(const std::string& name) {
    std::string reason;
    const auto file = platform::File::open(name, platform::OpenIntent::Read, reason);
    if (!file) return {};
    std::string bytes(file->size(), '\0');
    bytes.resize(file->readBytes(bytes.data(), bytes.size()));
    return bytes;
}

// The first and last vertex of each polyline of a .mif, in order.
std::vector<Line> mifLines(const std::string& text) {
    std::vector<Line> lines;
    std::istringstream words(text.substr(std::min(text.find("\nData"), text.size())));
    std::string word;
    while (words >> word) {
        std::size_t vertices = 0;
        if (ASAME(word, "Line")) {
            vertices = 2;
        } else if (!ASAME(word, "Pline") || !(words >> vertices)) {
            continue;
        }
        std::vector<Point> points(vertices);
        for (Point& p : points) words >> p.x >> p.y;
        if (!points.empty()) lines.push_back({points.front(), points.back()});
    }
    return lines;
}

std::vector<Line> shpLines(const std::string& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    std::vector<Line> lines;
    constexpr std::size_t kHeader = 100;
    for (std::size_t at = kHeader; at + 8 <= bytes.size();) {
        const std::size_t content = at + 8;
        const std::size_t contentBytes = 2 * std::size_t{bytes::getBE32(data + at + 4)};
        if (content + contentBytes > bytes.size() || contentBytes < 44) break;
        const std::size_t parts = bytes::getLE32(data + content + 36);
        const std::size_t points = bytes::getLE32(data + content + 40);
        const std::size_t first = content + 44 + 4 * parts;
        if (points == 0 || first + 16 * points > content + contentBytes) break;
        const auto point = [&](std::size_t k) {
            return Point{bytes::getLE64(data + first + 16 * k), bytes::getLE64(data + first + 16 * k + 8)};
        };
        lines.push_back({point(0), point(points - 1)});
        at = content + contentBytes;
    }
    return lines;
}

bool near(const Line& a, const Line& b) {
    double scale = 1.0;
    for (const Point& p : a) scale = std::max({scale, std::fabs(p.x), std::fabs(p.y)});
    const double tolerance = 1e-5 + 1e-9 * scale;  // the .mif keeps 6 decimals
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (std::fabs(a[k].x - b[k].x) > tolerance || std::fabs(a[k].y - b[k].y) > tolerance) return false;
    }
    return true;
}

std::string text(const Line& line) {
    std::ostringstream out;
    out.precision(17);
    out << "(" << line[0].x << " " << line[0].y << ", " << line[1].x << " " << line[1].y << ")";
    return out.str();
}

// The lines of one kind in a layer: the layer's name holds `marker`, their records' Type is
// `type`, and `what` names them in the answer.
struct LineKind {
    std::string_view marker;
    std::string_view type;
    std::string_view what;
    std::string_view links;  // the links that may have them
};

std::string linesProblem(std::string_view console, const LineKind& kind, const Expected& expected) {
    std::string layer;
    for (const std::string& name : announcedFiles(console)) {
        if (name.find(kind.marker) != std::string::npos && (name.ends_with(".mif") || name.ends_with(".shp"))) {
            layer = name;
        }
    }
    if (layer.empty()) return expected.empty() ? std::string() : "link " + expected.front().first + ": no layer";

    const std::string stem = layer.substr(0, layer.size() - 4);
    const bool mif = layer.ends_with(".mif");
    const std::vector<Line> drawn = mif ? mifLines(readFile(layer)) : shpLines(readFile(layer));
    const std::vector<std::string> types = mif ? midColumn(readFile(layer), readFile(stem + ".mid"), "Type")
                                               : dbfColumn(readFile(stem + ".dbf"), "Type");
    std::vector<bool> taken(drawn.size(), false);
    for (std::size_t i = 0; i < drawn.size(); ++i) taken[i] = i >= types.size() || types[i] != kind.type;
    for (const auto& [link, line] : expected) {
        std::size_t i = 0;
        while (i < drawn.size() && (taken[i] || !near(drawn[i], line))) ++i;
        if (i == drawn.size()) return "link " + link + ": no " + std::string(kind.what) + " line " + text(line);
        taken[i] = true;
    }
    const auto extra = std::find(taken.begin(), taken.end(), false);
    if (extra == taken.end()) return {};
    return "a " + std::string(kind.what) + " line on no " + std::string(kind.links) + ": " +
           text(drawn[static_cast<std::size_t>(extra - taken.begin())]);
}

constexpr LineKind kTransectLines{"1d_xs_", "XZ", "transect", "IRREGULAR link"};
constexpr LineKind kHeightWidthLines{"1d_hw_", "HW", "height-width", "ARCH or RECT_TRIANGULAR conduit"};

}  // namespace

std::string crossSectionProblem(std::string_view modelFile, std::string_view console) {
    const Model model = readModel(modelFile);
    std::string problem = linesProblem(console, kTransectLines, transectLines(model));
    return problem.empty() ? linesProblem(console, kHeightWidthLines, heightWidthLines(model)) : problem;
}

}  // namespace zx::fuzz
