#pragma once
// The interface of the chat client's API library wadapi: the functions it exports and the three
// callbacks it calls back. Gavelton loads the library at run time and binds these names; the
// practice stand-in library implements the same header.
//
// Every text crosses as a NUL-terminated 8-bit ANSI string. Every function and callback returns
// a 32-bit value; Gavelton examines none of the functions' results and its callbacks return 0.
// On 32-bit Windows everything uses the __stdcall convention, and the exported names are the
// bare names below, undecorated (a MinGW build of a stand-in links with -Wl,--kill-at).

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define WADAPI_CALL __stdcall
#else
#define WADAPI_CALL
#endif

// A library that implements this header defines WADAPI_BUILDING before including it.
#if defined(_WIN32)
#if defined(WADAPI_BUILDING)
#define WADAPI_EXPORT __declspec(dllexport)
#else
#define WADAPI_EXPORT __declspec(dllimport)
#endif
#else
#define WADAPI_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The callbacks handed to InitDDE.
typedef int32_t(WADAPI_CALL* WadapiAckProc)(const char* code);  // result code
typedef int32_t(WADAPI_CALL* WadapiDataProc)(const char* sender, int32_t unused, const char* data);
typedef int32_t(WADAPI_CALL* WadapiAllTextProc)(const char* text);  // whole chat text

// The library's functions, in the order a session uses them.
WADAPI_EXPORT int32_t WADAPI_CALL InitDDE(const char* name, WadapiAckProc ack, WadapiDataProc data,
                                          WadapiAllTextProc allText);
WADAPI_EXPORT int32_t WADAPI_CALL DapiRegister(const char* name);
WADAPI_EXPORT int32_t WADAPI_CALL DapiCommunicate(const char* name, int32_t mode, const char* avatar,
                                                  const char* text);
WADAPI_EXPORT int32_t WADAPI_CALL DapiGetAllText(const char* name);
WADAPI_EXPORT int32_t WADAPI_CALL
DapiSend(const char* name, const char* avatar, const char* data,
         int32_t length);  // exported by the client; Gavelton never calls it
WADAPI_EXPORT int32_t WADAPI_CALL DapiUnregister(const char* name);
WADAPI_EXPORT int32_t WADAPI_CALL KillDDE(void);

// Pointer types for binding the functions by name at run time.
typedef int32_t(WADAPI_CALL* WadapiInitDDEFn)(const char*, WadapiAckProc, WadapiDataProc, WadapiAllTextProc);
typedef int32_t(WADAPI_CALL* WadapiKillDDEFn)();
typedef int32_t(WADAPI_CALL* WadapiNameFn)(const char*);  // DapiRegister, DapiUnregister, DapiGetAllText
typedef int32_t(WADAPI_CALL* WadapiCommunicateFn)(const char*, int32_t, const char*, const char*);

#ifdef __cplusplus
}  // extern "C"
#endif

// The library's file name as the platform's loader searches for it.
#if defined(_WIN32)
#define WADAPI_LIBRARY_NAME "wadapi.dll"
#else
#define WADAPI_LIBRARY_NAME "libwadapi.so"
#endif
