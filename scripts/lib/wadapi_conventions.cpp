// Compiled for 32-bit Windows by scripts/build-windows (syntax only): the chat client's
// wadapi.dll uses __stdcall for every function and calls every callback that way. The types
// are written out here apart from wadapi_api.h, which Gavelton and the stand-in library
// share, so a wrong convention in the header cannot agree with itself and pass under Wine.
#include <cstdint>
#include <type_traits>

#include "link/wadapi_api.h"

#if !defined(_WIN32) || defined(_WIN64)
#error "the wadapi calling conventions are a matter of 32-bit Windows only"
#endif

namespace client {
#define CLIENT_CALL __attribute__((stdcall))
using Ack = std::int32_t(CLIENT_CALL*)(const char* code);
using Data = std::int32_t(CLIENT_CALL*)(const char* sender, std::int32_t unused, const char* data);
using AllText = std::int32_t(CLIENT_CALL*)(const char* text);
using InitDDE = std::int32_t(CLIENT_CALL*)(const char* name, Ack, Data, AllText);
using KillDDE = std::int32_t(CLIENT_CALL*)();
using Name = std::int32_t(CLIENT_CALL*)(const char* name);
using Communicate = std::int32_t(CLIENT_CALL*)(const char* name, std::int32_t mode, const char* avatar,
                                               const char* text);
using Send = std::int32_t(CLIENT_CALL*)(const char* name, const char* avatar, const char* data,
                                        std::int32_t length);
#undef CLIENT_CALL
}  // namespace client

// The callbacks Gavelton hands to InitDDE.
static_assert(std::is_same_v<WadapiAckProc, client::Ack>, "ack callback: not int32 __stdcall(const char*)");
static_assert(std::is_same_v<WadapiDataProc, client::Data>,
              "data callback: not int32 __stdcall(const char*, int32, const char*)");
static_assert(std::is_same_v<WadapiAllTextProc, client::AllText>,
              "all-text callback: not int32 __stdcall(const char*)");

// The pointer types Gavelton calls the library through.
static_assert(std::is_same_v<WadapiInitDDEFn, client::InitDDE>,
              "InitDDE pointer: wrong convention or arguments");
static_assert(std::is_same_v<WadapiKillDDEFn, client::KillDDE>,
              "KillDDE pointer: wrong convention or arguments");
static_assert(std::is_same_v<WadapiNameFn, client::Name>,
              "DapiRegister/Unregister/GetAllText pointer: wrong");
static_assert(std::is_same_v<WadapiCommunicateFn, client::Communicate>, "DapiCommunicate pointer: wrong");

// The functions the stand-in library exports.
static_assert(std::is_same_v<decltype(&InitDDE), client::InitDDE>, "InitDDE: wrong convention or arguments");
static_assert(std::is_same_v<decltype(&KillDDE), client::KillDDE>, "KillDDE: wrong convention or arguments");
static_assert(std::is_same_v<decltype(&DapiRegister), client::Name>, "DapiRegister: wrong");
static_assert(std::is_same_v<decltype(&DapiUnregister), client::Name>, "DapiUnregister: wrong");
static_assert(std::is_same_v<decltype(&DapiGetAllText), client::Name>, "DapiGetAllText: wrong");
static_assert(std::is_same_v<decltype(&DapiCommunicate), client::Communicate>, "DapiCommunicate: wrong");
static_assert(std::is_same_v<decltype(&DapiSend), client::Send>, "DapiSend: wrong");
