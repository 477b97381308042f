// The operations of CT_PRO.DLL, the console tools library.
//
// 32-bit integers by value; texts are BSTRs made by SysAllocStringByteLen
// (ANSI bytes, not wide characters). Text arguments, the list's strings
// included, pass to the library, which keeps or frees them; the caller never
// touches them after the call. A text result belongs to the caller, who frees
// it with SysFreeString. On Windows the functions are undecorated
// __stdcall exports of CT_PRO.DLL; elsewhere the library is linked in.
//
// The numbers the functions take and give back are named in ct_pro_codes.h.
// The arguments named `reserved…` are taken and not read. No function throws:
// where memory runs out, a call gives the result of one that did nothing,
// 0 or a null string (ConsoleMessageBox's 0 is no button).
#pragma once

#include <cstdint>

#include "console_tools/ct_pro_codes.h"
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

CT_PRO_API std::int32_t CT_PRO_CALL InitConsoleTools(void* instance, std::int32_t reserved1, std::int32_t reserved2,
                                                     std::int32_t reserved3, std::int32_t* reserved4,
                                                     std::int32_t reserved5);
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToolBar(std::int32_t mode, std::int32_t id);
// kCentre for a coordinate centres the window along that axis.
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMove(std::int32_t x, std::int32_t y);
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleIcon(std::int32_t icon);
CT_PRO_API BSTR CT_PRO_CALL ConsoleTitle(BSTR title);
CT_PRO_API std::int32_t CT_PRO_CALL DeleteWindowMenuItem(std::int32_t command);
CT_PRO_API std::int32_t CT_PRO_CALL DefaultWindowMenu();
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleToTop();
// `style` sums kMb* values; the answer is a kId* value.
CT_PRO_API std::int32_t CT_PRO_CALL ConsoleMessageBox(BSTR text, std::int32_t style, BSTR caption, std::int32_t icon,
                                                      std::int32_t reserved);
// `list` points at the first of kCtProListSlots strings (null reads as empty).
CT_PRO_API BSTR CT_PRO_CALL ConsoleListBox(std::int32_t reserved1, std::int32_t reserved2, std::int32_t reserved3,
                                           BSTR caption, BSTR hint, BSTR* list, std::int32_t reserved4,
                                           std::int32_t reserved5, std::int32_t reserved6);
