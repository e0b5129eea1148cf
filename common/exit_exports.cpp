// common/exit_exports.cpp: the exit routine and the terminated-length routine as exported by name.
#include "common/exit.hpp"
#include "common/fortran_abi.hpp"
#include "common/zervanix_text.h"

ZX_EXPORT void EXITS() { zx::EXITS(); }
ZX_EXPORT std::int32_t LENSL(char* text, std::size_t length) { return zx::LENSL(text, length); }
