// Conversions between Text and the BSTRs of the console tools boundary.
#pragma once

#include "platform/ole_string.h"
#include "primitives/text.h"

namespace corrivex::tools {

// A fresh BSTR holding the text's bytes; null when memory runs out.
BSTR toBstr(const Text& text);
// The bytes of a BSTR that the caller owns, which is then freed; null reads
// as the empty text.
Text takeBstr(BSTR text);

}  // namespace corrivex::tools
