// convert/inp_sections.cpp: lines, words and values of the .inp file, and the section scan.
#include "convert/inp_sections.hpp"

#include <algorithm>
#include <cmath>

#include "common/checked_number.hpp"
#include "common/line_values.hpp"
#include "common/list_input.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "convert/run_support.hpp"

namespace zx::convert {
namespace {

enum class KeywordEffect {
    SetFlag,
    SetFlagAndLinks,  // a link section: the network layer is written
    Recognised,       // known, but its flag stays false
};

struct SectionKeyword {
    std::string_view keyword;
    std::size_t flag;
    KeywordEffect effect;
};

// Tested in this order, the first keyword that a header holds decides: [PROFILES] is taken for
// FILES and [LID_CONTROLS] for LID_CONTROLS, never for CONTROLS. Flag 21 belongs to no keyword.
constexpr KeywordEffect kFlag = KeywordEffect::SetFlag;
constexpr SectionKeyword kSectionKeywords[] = {
    {"TITLE", 0, kFlag},
    {"OPTIONS", section::kOptions, kFlag},
    {"REPORT", 2, kFlag},
    {"FILES", 3, kFlag},
    {"RAINGAGES", 4, kFlag},
    {"HYDROGRAPHS", 5, kFlag},
    {"EVAPORATION", 6, kFlag},
    {"TEMPERATURE", 7, kFlag},
    {"SUBCATCHMENTS", 8, kFlag},
    {"SUBAREAS", 9, kFlag},
    {"INFILTRATION", 10, kFlag},
    {"LID_CONTROLS", 11, kFlag},
    {"LID_USAGE", 12, kFlag},
    {"AQUIFERS", 13, kFlag},
    {"GROUNDWATER", 14, kFlag},
    {"SNOWPACKS", 15, kFlag},
    {"JUNCTIONS", section::kJunctions, kFlag},
    {"OUTFALLS", section::kOutfalls, kFlag},
    {"DIVIDERS", section::kDividers, kFlag},
    {"STORAGE", section::kStorage, kFlag},
    {"CONDUITS", section::kConduits, KeywordEffect::SetFlagAndLinks},
    {"WEIRS", section::kWeirs, KeywordEffect::SetFlagAndLinks},
    {"PUMPS", 22, kFlag},
    {"ORIFICES", section::kOrifices, KeywordEffect::SetFlagAndLinks},
    {"OUTLETS", 25, kFlag},
    {"XSECTIONS", section::kXsections, kFlag},
    {"TRANSECTS", section::kTransects, kFlag},
    {"LOSSES", section::kLosses, kFlag},
    {"CONTROLS", 29, kFlag},
    {"POLLUTANTS", 30, kFlag},
    {"LANDUSES", 31, kFlag},
    {"COVERAGES", 32, kFlag},
    {"BUILDUP", 33, kFlag},
    {"WASHOFF", 34, kFlag},
    {"TREATMENT", 35, kFlag},
    {"INFLOWS", 36, kFlag},
    {"DWF", 37, kFlag},
    {"PATTERNS", 38, kFlag},
    {"RDII", 39, kFlag},
    {"LOADINGS", 40, kFlag},
    {"CURVES", 41, kFlag},
    {"TIMESERIES", 42, KeywordEffect::Recognised},
    {"MAP", 43, kFlag},
    {"POLYGONS", 44, kFlag},
    {"COORDINATES", section::kCoordinates, kFlag},
    {"VERTICES", section::kVertices, kFlag},
    {"LABELS", 47, kFlag},
    {"SYMBOLS", 48, kFlag},
    {"BACKDROP", 49, kFlag},
};

// The first record shows how the file was saved. Windows editors put a byte-order mark before
// UTF-8 text, which is no part of the first line (a header there would go unseen). A UTF-16 file
// ("Unicode" to Notepad) has a mark of its own or a NUL byte beside each ASCII character: none of
// its lines reads as SWMM text.
void takeFirstRecord(std::string_view fileName, std::string& line) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (line.starts_with(kUtf8Mark)) {
        line.erase(0, kUtf8Mark.size());
        return;
    }
    if (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF") || line.find('\0') != std::string::npos) {
        stopWith({"ERROR - The .inp file " + std::string(fileName) +
                  " is saved as UTF-16 (Unicode): it must be saved as ANSI or UTF-8."},
                 Spacing::EmptyLineBefore);
    }
}

// The next record of the .inp file as it stands; false at the end of the file.
bool readInpLine(int unit, std::string& line) {
    const platform::File* file = units().file(unit);
    const bool firstRecord = file != nullptr && file->position() == 0;
    switch (readUnitRecord(unit, line)) {
        case RecordStatus::Ok:
            if (firstRecord) takeFirstRecord(file->name(), line);
            return true;
        case RecordStatus::EndOfFile: return false;
        case RecordStatus::Error: break;
    }
    stopWith({"ERROR - Unable to read the .inp file."}, Spacing::EmptyLineBefore);
}

const SectionKeyword* headerKeyword(std::string_view line) {
    const auto* keyword = std::find_if(std::begin(kSectionKeywords), std::end(kSectionKeywords),
                                       [&](const SectionKeyword& k) { return FLAGEXISTS(line, k.keyword); });
    return keyword == std::end(kSectionKeywords) ? nullptr : keyword;
}

// SWMM's form of a number: [sign] digits [. digits] or [sign] . digits, then an optional exponent
// of E or e, a sign and digits. Fortran's other forms ("1-3", "2+2", "1.5d0") are no numbers of a
// model.
bool isDecimalNumber(std::string_view word) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < word.size() && word[i] >= '0' && word[i] <= '9') ++i;
        return i - start;
    };
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    std::size_t mantissa = digits();
    if (i < word.size() && word[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == word.size();
}

}  // namespace

void inpCleanLine(std::string& line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char& c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ';' && !quoted) {
            line.resize(i);
            break;
        } else if (c == '\t' || c == '\r') {
            c = ' ';
        }
    }
    line.resize(significantPart(line).size());
}

InpWords::Item InpWords::next(std::string& word) {
    constexpr std::string_view kBlanks = " \t";
    word.clear();
    quoted_ = false;
    position_ = std::min(line_.find_first_not_of(kBlanks, position_), line_.size());
    if (position_ == line_.size()) return Item::EndOfLine;
    if (line_[position_] != '"') {
        const std::size_t end = std::min(line_.find_first_of(kBlanks, position_), line_.size());
        word.assign(line_.substr(position_, end - position_));
        position_ = end;
        return Item::Word;
    }
    quoted_ = true;
    for (++position_; position_ < line_.size(); ++position_) {
        const char c = line_[position_];
        if (c != '"') {
            word.push_back(c);
        } else if (position_ + 1 < line_.size() && line_[position_ + 1] == '"') {
            word.push_back('"');
            ++position_;
        } else {
            ++position_;
            if (position_ == line_.size() || kBlanks.find(line_[position_]) != std::string_view::npos) {
                return Item::Word;
            }
            break;
        }
    }
    position_ = line_.size();
    return Item::Malformed;
}

int inpCountWords(std::string_view line) {
    InpWords words(line);
    std::string word;
    int count = 0;
    for (auto item = words.next(word); item != InpWords::Item::EndOfLine; item = words.next(word)) ++count;
    return count;
}

void inpResetSectionFlags(SectionFlags& flags) { flags.fill(false); }

std::size_t inpScanSections(int unit, SectionFlags& flags, bool& anyLinks) {
    anyLinks = false;
    std::size_t headers = 0;
    std::string line;
    while (readInpLine(unit, line)) {
        inpCleanLine(line);
        if (!inpIsHeader(line)) continue;
        ++headers;
        const SectionKeyword* keyword = headerKeyword(line);
        if (keyword == nullptr) {
            writeAfterEmptyLine("WARNING - Unrecognised Section Flag: " + line);
            continue;
        }
        if (keyword->effect != KeywordEffect::Recognised) flags[keyword->flag] = true;
        if (keyword->effect == KeywordEffect::SetFlagAndLinks) anyLinks = true;
    }
    return headers;
}

bool inpIsHeader(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string_view::npos && line[first] == '[';
}

std::optional<std::size_t> inpHeaderSection(std::string_view line) {
    if (!inpIsHeader(line)) return std::nullopt;
    const SectionKeyword* keyword = headerKeyword(line);
    if (keyword == nullptr) return std::nullopt;
    return keyword->flag;
}

// The free-form reader converts a word that passed the decimal test, so that a number reads to
// the same bits as it always has.
std::optional<float> inpReal4(std::string_view text) {
    const auto value = isDecimalNumber(text) ? listin::parseReal4(text) : std::nullopt;
    return value && std::isfinite(*value) ? value : std::nullopt;
}

std::optional<double> inpReal8(std::string_view text) {
    const auto value = isDecimalNumber(text) ? listin::parseReal8(text) : std::nullopt;
    return value && std::isfinite(*value) ? value : std::nullopt;
}

bool InpLineValues::nextValue() {
    if (status_ != Status::Ok) return false;
    switch (words_.next(value_)) {
        case InpWords::Item::Word: return true;
        case InpWords::Item::EndOfLine: status_ = Status::EndOfLine; return false;
        case InpWords::Item::Malformed: status_ = Status::BadValue; return false;
    }
    return false;
}

InpLineValues& InpLineValues::text(std::string& target, std::size_t length) {
    if (nextValue()) target = significantPart(std::string_view(value_).substr(0, length));
    return *this;
}

template <typename Number, typename Parse>
InpLineValues& InpLineValues::number(Number& target, Parse parse) {
    if (!nextValue()) return *this;
    // A number in quotes is a text.
    return store(target, words_.quoted() ? std::nullopt : parse(value_));
}

template <typename Number>
InpLineValues& InpLineValues::store(Number& target, std::optional<Number> value) {
    if (value) target = *value;
    else status_ = Status::BadValue;
    return *this;
}

InpLineValues& InpLineValues::real4(float& target) { return number(target, inpReal4); }
InpLineValues& InpLineValues::real8(double& target) { return number(target, inpReal8); }

InpLineValues& InpLineValues::offset(float& target, LinkOffsets offsets) {
    if (offsets == LinkOffsets::Depth) return real4(target);
    if (!nextValue()) return *this;
    // SWMM looks at the word's first character alone, quoted or not.
    if (value_.starts_with('*')) return store(target, std::optional(kAtNodeInvert));
    return store(target, words_.quoted() ? std::nullopt : inpReal4(value_));
}

InpLineValues& InpLineValues::integer(std::int32_t& target) {
    return number(target, [](std::string_view text) -> std::optional<std::int32_t> {
        const auto value = inpReal8(text);
        return value ? wholePart<std::int32_t>(*value) : std::nullopt;
    });
}

InpLineValues& InpLineValues::skip() {
    nextValue();
    return *this;
}

bool SectionLines::next() {
    while (readInpLine(unit_, line_)) {
        inpCleanLine(line_);
        if (inpIsHeader(line_)) {
            inSection_ = inpHeaderSection(line_) == section_;
        } else if (inSection_ && !line_.empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace zx::convert
