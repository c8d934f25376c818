#include "link/desktop_platform.h"

#include "link/chat_link.h"
#include "link/dapi_library.h"
#include "link/dde_channel.h"

namespace gv {

void UseDesktopPlatform(ChatLink& link) {
    link.SetDdeChannel(MakeWorldsApiChannel());
    link.SetWindowActivator(MakeDesktopWindowActivator());
    link.SetDapiLoader(std::make_unique<WxDapiLoader>());
}

}  // namespace gv
