#include "platform/ole_string.h"

#include <cstdlib>
#include <cstring>
#include <limits>

// Layout: [uint32 byte count][bytes][two zero bytes]; the BSTR points at the
// first byte, as on Windows.

BSTR SysAllocStringByteLen(const char* bytes, UINT length) {
    if (length > std::numeric_limits<std::uint32_t>::max() - sizeof(std::uint32_t) - 2) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(std::uint32_t) + length + 2));
    if (block == nullptr) return nullptr;
    const std::uint32_t count = length;
    std::memcpy(block, &count, sizeof count);
    unsigned char* data = block + sizeof count;
    if (bytes != nullptr && length > 0) std::memcpy(data, bytes, length);
    data[length] = 0;
    data[length + 1] = 0;
    return reinterpret_cast<BSTR>(data);
}

void SysFreeString(BSTR text) {
    if (text == nullptr) return;
    std::free(reinterpret_cast<unsigned char*>(text) - sizeof(std::uint32_t));
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) return 0;
    std::uint32_t count = 0;
    std::memcpy(&count, reinterpret_cast<unsigned char*>(text) - sizeof count, sizeof count);
    return count;
}
