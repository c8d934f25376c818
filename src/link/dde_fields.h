#pragma once
// The fields of the link host window WA_DDE, which the DDE requests read and write, and the
// window's view of them.

#include <functional>
#include <memory>
#include <string>

namespace gv {

struct DdeFields {
    std::string commMode;
    std::string avatarName;
    std::string commText;
    std::string conversation;  // the window shows at most 32000 characters; the whole reply is kept
    bool errorCheck = false;   // "Error Occured"
};

// The hidden window WA_DDE; created by StartLink in the DDE transport, destroyed by StopLink.
class LinkHostView {
public:
    virtual ~LinkHostView() = default;
    virtual void ShowFields(const DdeFields& fields) = 0;  // the fields changed
};
using LinkHostFactory = std::function<std::unique_ptr<LinkHostView>()>;

}  // namespace gv
