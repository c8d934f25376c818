#pragma once
// The one way Gavelton includes <windows.h>. Where wxWidgets is in use, through wx's own
// wrapper, which undoes the macros that clash with wx names (Yield, CreateWindow, ...);
// elsewhere lean and without the min and max macros that clash with the standard library.
// Never with the obsolete Yield macro, which would rename EventPump::Yield.

#ifdef _WIN32
#if defined(__WXMSW__)
#include <wx/msw/wrapwin.h>
#else
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif
#ifdef Yield
#undef Yield
#endif
#endif
