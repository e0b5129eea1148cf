// common/number_text_exports.cpp: the number-to-text routines as other programs call them: the
// result text first (filled blank-padded to its declared length), then every argument by address.
#include "common/fortran_abi.hpp"
#include "common/number_text.hpp"
#include "common/zervanix_text.h"

using zx::abi::fill;

ZX_EXPORT void AINTEGER(char* result, std::size_t resultLength, const std::int32_t* value) {
    fill(result, resultLength, zx::AINTEGER(*value));
}

ZX_EXPORT void AINTEGER8(char* result, std::size_t resultLength, const std::int64_t* value) {
    fill(result, resultLength, zx::AINTEGER8(*value));
}

ZX_EXPORT void AINTEGERPREC0(char* result, std::size_t resultLength, const std::int32_t* value,
                             const std::int32_t* digits) {
    fill(result, resultLength, zx::AINTEGERPREC0(*value, *digits));
}

ZX_EXPORT void AINTEGER8PREC0(char* result, std::size_t resultLength, const std::int64_t* value,
                              const std::int32_t* digits) {
    fill(result, resultLength, zx::AINTEGER8PREC0(*value, *digits));
}

ZX_EXPORT void AREAL(char* result, std::size_t resultLength, const float* value) {
    fill(result, resultLength, zx::AREAL(*value));
}

ZX_EXPORT void AREAL8(char* result, std::size_t resultLength, const double* value) {
    fill(result, resultLength, zx::AREAL8(*value));
}

ZX_EXPORT void AREALD(char* result, std::size_t resultLength, const float* value, const std::int32_t* decimals) {
    fill(result, resultLength, zx::AREALD(*value, *decimals));
}

ZX_EXPORT void AREALD8(char* result, std::size_t resultLength, const double* value, const std::int32_t* decimals) {
    fill(result, resultLength, zx::AREALD8(*value, *decimals));
}
