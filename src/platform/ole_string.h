// OLE strings (BSTR), the text type that crosses the CT_PRO.DLL boundary.
//
// On Windows these are oleaut32's own. Elsewhere a stand-in with the same
// layout: a 32-bit byte count, then the bytes, then a zero.
#pragma once

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#include <oleauto.h>
#else

using OLECHAR = char16_t;
using BSTR = OLECHAR*;
using UINT = unsigned int;

// A new string holding `length` bytes copied from `bytes` (uninitialised
// bytes when `bytes` is null); null when memory runs out.
BSTR SysAllocStringByteLen(const char* bytes, UINT length);
// Frees a string made by SysAllocStringByteLen; null is ignored.
void SysFreeString(BSTR text);
// The byte count of a string; 0 for null.
UINT SysStringByteLen(BSTR text);

#endif
