#include "platform/ole_text.h"

#include <memory>

namespace corrivex::platform {

namespace {

struct FreeBstr {
    void operator()(BSTR text) const { SysFreeString(text); }
};

}  // namespace

BSTR toBstr(std::string_view text) { return SysAllocStringByteLen(text.data(), static_cast<UINT>(text.size())); }

std::string takeBstr(BSTR text) {
    if (text == nullptr) return std::string();
    const std::unique_ptr<OLECHAR, FreeBstr> owned(text);
    return std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text));
}

}  // namespace corrivex::platform
