// common/messages_exports.cpp: the message routines as exported by name (the block itself,
// DMESSAGES, is defined beside its routines).
#include "common/fortran_abi.hpp"
#include "common/messages.hpp"

ZX_EXPORT void DMESSAGE(const std::int32_t* blankLines) { zx::DMESSAGE(*blankLines); }
ZX_EXPORT void DMESSAGEXY(const std::int32_t* blankLines, const double* x, const double* y) {
    zx::DMESSAGEXY(*blankLines, *x, *y);
}
ZX_EXPORT void DMESSAGECLEAR() { zx::DMESSAGECLEAR(); }
ZX_EXPORT void DMESSAGERESETCOUNTERS() { zx::DMESSAGERESETCOUNTERS(); }
ZX_EXPORT void DLINE(const std::int32_t* unit) { zx::DLINE(*unit); }
