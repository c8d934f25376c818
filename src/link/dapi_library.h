#pragma once
// The chat client's API library wadapi, loaded at run time. Without the library (or with one
// that lacks a function Gavelton calls) the link keeps running and its library requests do
// nothing; the loader says what is missing so the host can be told once.

#include <memory>
#include <string>

#include "link/wadapi_api.h"

class wxDynamicLibrary;

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

// Loads `fileName` (by default the bare name, found by the platform's own search) with
// wxDynamicLibrary. A failed load is tried again on the next Load.
class WxDapiLoader final : public DapiLoader {
public:
    explicit WxDapiLoader(std::string fileName = WADAPI_LIBRARY_NAME);
    ~WxDapiLoader() override;
    const WadapiFunctions* Load(std::string& problem) override;

private:
    std::string fileName_;
    std::unique_ptr<wxDynamicLibrary> library_;
    WadapiFunctions functions_;
};

}  // namespace gv
