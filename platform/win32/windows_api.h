#pragma once

// The Win32 headers the Windows view uses, included in one place. The program calls the wide
// ("W") functions by name and keeps the API's name-changing macros out of its own identifiers:
// DialogService::MessageBox must stay MessageBox.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

// windows.h first: the others build on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shobjidl.h>
// clang-format on

#undef MessageBox
