// The operations of CT_PRO.DLL, the console tools library.
//
// 32-bit integers by value; texts are BSTRs made by SysAllocStringByteLen
// (ANSI bytes, not wide characters). Text arguments, the list's strings
// included, pass to the library, which keeps or frees them; the caller never
// touches them after the call. A text result belongs to the caller, who frees
// it with SysFreeString. On Windows the functions are undecorated
// __stdcall exports of CT_PRO.DLL; elsewhere the library is linked in.
#pragma once

#include <cstdint>

#include "platform/ole_string.h"

#ifdef _WIN32
#define CT_PRO_CALL __stdcall
#ifdef CT_PRO_BUILDING
#define CT_PRO_API extern "C" __declspec(dllexport)
#else
#define CT_PRO_API extern "C" __declspec(dllimport)
#endif
#else
#define CT_PRO_CALL
#define CT_PRO_API extern "C"
#endif

// Number of entries of the list passed to ConsoleListBox.
inline constexpr int kCtProListSlots = 1000;

CT_PRO_API std::int32_t CT_PRO_CALL InitConsoleTools(void* instance, std::int32_t a, std::int32_t b, std::int32_t c,
                                                     std::int32_t* reference, std::int32_t d);
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToolBar(std::int32_t a, std::int32_t b);
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMove(std::int32_t x, std::int32_t y);
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleIcon(std::int32_t icon);
CT_PRO_API BSTR CT_PRO_CALL ConsoleTitle(BSTR title);
CT_PRO_API std::int32_t CT_PRO_CALL DeleteWindowMenuItem(std::int32_t command);
CT_PRO_API std::int32_t CT_PRO_CALL DefaultWindowMenu();
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToTop();
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMessageBox(BSTR text, std::int32_t style, BSTR caption, std::int32_t icon,
                                                      std::int32_t flags);
// `list` points at the first of kCtProListSlots strings (null reads as empty).
CT_PRO_API BSTR CT_PRO_CALL ConsoleListBox(std::int32_t a, std::int32_t b, std::int32_t c, BSTR path, BSTR hint,
                                           BSTR* list, std::int32_t d, std::int32_t e, std::int32_t f);
