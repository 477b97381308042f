#include "platform/ole_text.h"

namespace corrivex::platform {

BSTR toBstr(std::string_view text) {
    return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size()));
}

std::string takeBstr(BSTR text) {
    if (text == nullptr) return std::string();
    std::string bytes(reinterpret_cast<const char*>(text), SysStringByteLen(text));
    SysFreeString(text);
    return bytes;
}

}  // namespace corrivex::platform
