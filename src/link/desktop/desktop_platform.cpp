#include "link/desktop/desktop_platform.h"

#include <wx/app.h>

#include "link/chat_link.h"
#include "link/desktop/dapi_library.h"
#include "link/desktop/dde_channel.h"
#include "link/library_transport.h"

namespace gv {

void UseDesktopPlatform(ChatLink& link) {
    link.SetDdeChannel(MakeWorldsApiChannel());
    link.SetWindowActivator(MakeDesktopWindowActivator());
    link.SetDapiLoader(std::make_unique<WxDapiLoader>());
    // A callback from the library's own thread waits in the window's event queue.
    SetCallbackHandOver([](const std::function<void()>& task) {
        if (wxAppConsole* app = wxAppConsole::GetInstance()) app->CallAfter(task);
    });
}

}  // namespace gv
