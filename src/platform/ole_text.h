// Byte texts across the CT_PRO.DLL boundary, as BSTRs: made with
// SysAllocStringByteLen on the giving side, taken over and freed with
// SysFreeString on the receiving side.
#pragma once

#include <string>
#include <string_view>

#include "platform/ole_string.h"

namespace corrivex::platform {

// A fresh BSTR holding the text's bytes; null when memory runs out.
BSTR toBstr(std::string_view text);
// The bytes of a BSTR that the caller owns, which is then freed (also when
// memory runs out for the copy); null reads as the empty text.
std::string takeBstr(BSTR text);

}  // namespace corrivex::platform
