#include "console_tools/bstr_text.h"

namespace corrivex::tools {

BSTR toBstr(const Text& text) {
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

Text takeBstr(BSTR text) {
    if (text == nullptr) return Text();
    Text bytes(reinterpret_cast<const char*>(text), SysStringByteLen(text));
    SysFreeString(text);
    return bytes;
}

}  // namespace corrivex::tools
