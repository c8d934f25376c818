#pragma once
// The chat client's API library wadapi, loaded at run time with wxDynamicLibrary. Without the
// library (or with one that lacks a function Gavelton calls) the link keeps running and its
// library requests do nothing; the loader says what is missing so the host can be told once.

#include <memory>
#include <string>

#include "link/wadapi_loader.h"

class wxDynamicLibrary;

namespace gv {

// Loads `fileName` (by default the bare name, found by the platform's own search). A failed
// load is tried again on the next Load.
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
