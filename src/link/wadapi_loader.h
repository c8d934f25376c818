#pragma once
// The chat client's API library wadapi as the link calls it: its functions bound by name, and
// the loader that binds them. The desktop's loader is in dapi_library.h.

#include <string>

#include "link/wadapi_api.h"

namespace gv {

// The functions Gavelton calls, bound by name.
struct WadapiFunctions {
    WadapiInitDDEFn initDDE = nullptr;
    WadapiKillDDEFn killDDE = nullptr;
    WadapiNameFn dapiRegister = nullptr;
    WadapiNameFn dapiUnregister = nullptr;
    WadapiCommunicateFn dapiCommunicate = nullptr;
    WadapiNameFn dapiGetAllText = nullptr;
};

class DapiLoader {
public:
    virtual ~DapiLoader() = default;
    // The bound functions, loading the library first if it is not loaded yet; nullptr when it
    // cannot be loaded or lacks a function, with `problem` set to a message for the host.
    virtual const WadapiFunctions* Load(std::string& problem) = 0;
};

}  // namespace gv
