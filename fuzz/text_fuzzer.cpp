// fuzz/text_fuzzer.cpp: the library's exported text routines (string cleaning, keyword tests,
// value extraction, number-to-text, paths) called as another program calls them: every argument
// by address, every text a blank-padded buffer of exactly its declared length (so a read or write
// past it is caught), a text result in a caller's buffer of any length. Which routine runs, its
// numbers and the lengths of its buffers all come from the input. A logical result must be one of
// the two values the convention knows. The routines whose documented answer to a bad value is the
// end of the run end it through the test seam, which brings control back here.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "common/zervanix_text.h"
#include "platform/console.hpp"
#include "platform/process.hpp"

namespace {

using Logical = std::int32_t;  // true -1, false 0
using std::size_t;

constexpr std::size_t kMaxText = 300;    // a line of a control file, or longer
constexpr std::size_t kMaxResult = 300;  // result buffers of 0 to this many characters

// A caller's text buffer of exactly its declared length, on the heap so that the address
// sanitizer guards both of its ends.
class Buffer {
public:
    explicit Buffer(std::size_t length) : bytes_(new char[length]), length_(length) {}
    Buffer(std::string_view text) : Buffer(text.size()) { text.copy(bytes_.get(), length_); }
    char* data() { return bytes_.get(); }
    std::size_t size() const { return length_; }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t length_;
};

Buffer text(FuzzedDataProvider& in) { return Buffer(in.ConsumeRandomLengthString(kMaxText)); }
Buffer result(FuzzedDataProvider& in) { return Buffer(in.ConsumeIntegralInRange<std::size_t>(0, kMaxResult)); }
std::int32_t number(FuzzedDataProvider& in) { return in.ConsumeIntegral<std::int32_t>(); }

void requireLogical(Logical value) {
    if (value != 0 && value != -1) {
        std::fprintf(stderr, "\n==== a logical result is %d, neither true (-1) nor false (0)\n", value);
        std::abort();
    }
}

using Call = void (*)(FuzzedDataProvider&);

template <Logical (*Routine)(const char*, const char*, size_t, size_t)>
void twoTexts(FuzzedDataProvider& in) {
    Buffer a = text(in), b = text(in);
    requireLogical(Routine(a.data(), b.data(), a.size(), b.size()));
}
template <void (*Routine)(char*, size_t, const char*, size_t)>
void textResult(FuzzedDataProvider& in) {
    Buffer out = result(in), a = text(in);
    Routine(out.data(), out.size(), a.data(), a.size());
}
template <Logical (*Routine)(char*, size_t)>
void inPlace(FuzzedDataProvider& in) {
    Buffer a = text(in);
    requireLogical(Routine(a.data(), a.size()));
}
template <typename Value, void (*Routine)(char*, size_t, const Value*)>
void numberText(FuzzedDataProvider& in) {
    Buffer out = result(in);
    const Value value = in.ConsumeIntegral<Value>();
    Routine(out.data(), out.size(), &value);
}
template <typename Value, void (*Routine)(char*, size_t, const Value*, const std::int32_t*)>
void numberTextWithDigits(FuzzedDataProvider& in) {
    Buffer out = result(in);
    const Value value = in.ConsumeIntegral<Value>();
    const std::int32_t digits = number(in);
    Routine(out.data(), out.size(), &value, &digits);
}
template <typename Real>
Real real(FuzzedDataProvider& in) {
    // Every bit pattern: NaN, infinities and subnormals included.
    unsigned char bits[sizeof(Real)] = {};
    in.ConsumeData(bits, sizeof bits);
    Real value;
    std::memcpy(&value, bits, sizeof value);
    return value;
}
template <typename Value, void (*Routine)(char*, size_t, const Value*)>
void realText(FuzzedDataProvider& in) {
    Buffer out = result(in);
    const Value value = real<Value>(in);
    Routine(out.data(), out.size(), &value);
}
template <typename Value, void (*Routine)(char*, size_t, const Value*, const std::int32_t*)>
void realTextWithDecimals(FuzzedDataProvider& in) {
    Buffer out = result(in);
    const Value value = real<Value>(in);
    const std::int32_t decimals = number(in);
    Routine(out.data(), out.size(), &value, &decimals);
}
template <typename Value, Logical (*Routine)(const char*, Value*, size_t)>
void checkInteger(FuzzedDataProvider& in) {
    Buffer a = text(in);
    Value value = 0;
    requireLogical(Routine(a.data(), &value, a.size()));
}
template <void (*Routine)(char*, size_t, const char*, const char*, const char*, size_t, size_t, size_t)>
void replace(FuzzedDataProvider& in) {
    Buffer out = result(in), a = text(in), search = text(in), replacement = text(in);
    Routine(out.data(), out.size(), a.data(), search.data(), replacement.data(), a.size(), search.size(),
            replacement.size());
}
template <void (*Routine)(char*, size_t, const char*, const char*, const char*, const std::int32_t*, size_t, size_t,
                          size_t)>
void extractText(FuzzedDataProvider& in) {
    Buffer out = result(in), line = text(in), lower = text(in), keyword = text(in);
    const std::int32_t field = number(in);
    Routine(out.data(), out.size(), line.data(), lower.data(), keyword.data(), &field, line.size(), lower.size(),
            keyword.size());
}

// One row per exported routine that takes text or makes it.
constexpr Call kRoutines[] = {
    twoTexts<ASAME>,
    twoTexts<ASAMECS>,
    twoTexts<FLAGEXISTS>,
    twoTexts<READGIS>,
    twoTexts<WRITEGIS>,
    twoTexts<READROWCOL>,
    textResult<UPPERCASE>,
    textResult<LOWERCASE>,
    textResult<REMOVEQUOTES>,
    textResult<REMOVESPACES>,
    textResult<CLEANATTRIBUTENAME>,
    textResult<DOUBLEQUOTE>,
    textResult<REMOVETABS>,
    textResult<TRIMF>,
    textResult<SS256>,
    textResult<FILEEXT>,
    textResult<FILEEXTKC>,
    textResult<FILE___EXT>,
    textResult<FILENAME>,
    textResult<FILENAMEEXT>,
    textResult<FILENAMENO_>,
    textResult<FILENAMEPATH>,
    textResult<FILENAMEPATHNO_>,
    textResult<FILEFOLDERPATH>,
    textResult<REMOVEDOTDOT>,
    inPlace<COMMENTLINE>,
    inPlace<NUMBERLINE>,
    inPlace<POSITIVEINTEGERNUMBER>,
    inPlace<BLANK>,
    numberText<std::int32_t, AINTEGER>,
    numberText<std::int64_t, AINTEGER8>,
    numberTextWithDigits<std::int32_t, AINTEGERPREC0>,
    numberTextWithDigits<std::int64_t, AINTEGER8PREC0>,
    realText<float, AREAL>,
    realText<double, AREAL8>,
    realTextWithDecimals<float, AREALD>,
    realTextWithDecimals<double, AREALD8>,
    checkInteger<std::int32_t, CHECKINT>,
    checkInteger<std::int32_t, CHECKINT4>,
    checkInteger<std::int64_t, CHECKINT8>,
    replace<REPLACE>,
    replace<REPLACEALL>,
    extractText<EXTRACTSTRING>,
    extractText<EXTRACTSTRINGREM>,
    [](FuzzedDataProvider& in) {
        Buffer out = result(in), a = text(in), replacement = text(in);
        ALPHANUMERICONLY(out.data(), out.size(), a.data(), replacement.data(), a.size(), replacement.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer header = text(in), name = text(in);
        const std::int32_t fallback = number(in);
        CSVCOLUMN(header.data(), name.data(), &fallback, header.size(), name.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer line = text(in), flag = text(in), rest = result(in);
        requireLogical(FLAGEXISTSRET(line.data(), flag.data(), rest.data(), line.size(), flag.size(), rest.size()));
    },
    [](FuzzedDataProvider& in) {
        Buffer line = text(in), keyword = text(in), separator = text(in), value = result(in), command = result(in);
        const std::int32_t column = number(in);
        requireLogical(CHECKLINE(line.data(), keyword.data(), separator.data(), &column, value.data(),
                                 command.data(), line.size(), keyword.size(), separator.size(), value.size(),
                                 command.size()));
    },
    [](FuzzedDataProvider& in) {
        Buffer line = text(in);
        const std::int32_t field = number(in);
        float value = 0;
        requireLogical(CSVVALUE(line.data(), &field, &value, line.size()));
    },
    [](FuzzedDataProvider& in) {
        Buffer line = text(in), lower = text(in), keyword = text(in);
        const std::int32_t field = number(in), fallback = number(in);
        EXTRACTINTEGER(line.data(), lower.data(), keyword.data(), &field, &fallback, line.size(), lower.size(),
                       keyword.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer line = text(in), lower = text(in), keyword = text(in);
        const std::int32_t field = number(in);
        const float fallback = real<float>(in);
        EXTRACTREAL(line.data(), lower.data(), keyword.data(), &field, &fallback, line.size(), lower.size(),
                    keyword.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer a = text(in), delimiter = text(in);
        NUMBEROFSUBSTRINGS(a.data(), delimiter.data(), a.size(), delimiter.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer out = result(in), a = text(in), delimiter = text(in);
        const std::int32_t field = number(in);
        SUBSTRING(out.data(), out.size(), a.data(), delimiter.data(), &field, a.size(), delimiter.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer line = text(in);
        NUMBEROFNUMBERS(line.data(), line.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer date = text(in);
        NUMBEROFDAYS(date.data(), date.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer out = result(in), folder = text(in), name = text(in);
        ADDFOLDER(out.data(), out.size(), folder.data(), name.data(), folder.size(), name.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer out = result(in), path = text(in);
        CLEANPATH(out.data(), out.size(), path.data(), path.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer path = text(in);
        DRIVEFOLDER(path.data(), path.size());
    },
    [](FuzzedDataProvider& in) {
        Buffer a = text(in);
        const std::int32_t length = LENSL(a.data(), a.size());
        if (length < 0 || static_cast<std::size_t>(length) > a.size()) std::abort();
    },
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Messages of the routines that end the run go nowhere; their pause finds no input.
    static std::FILE* const nowhere = std::fopen("/dev/null", "r+");
    if (nowhere == nullptr) std::abort();
    zx::platform::console().redirect(nowhere, nowhere);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The first byte chooses the routine, so a mutation elsewhere keeps it.
    const Call routine = kRoutines[data[0] % std::size(kRoutines)];
    FuzzedDataProvider in(data + 1, size - 1);
    try {
        const zx::platform::RunLanding landing;
        routine(in);
    } catch (const zx::platform::RunEnded&) {
        // The routine's documented stop for a bad value (EXTRACTINTEGER, EXTRACTREAL).
    }
    return 0;
}
