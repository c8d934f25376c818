#pragma once
// The desktop's own DDE pieces: the WorldsApi conversation over wxWidgets' IPC, and window
// activation through the platform's window system.

#include <memory>

#include "link/dde_parts.h"

namespace gv {

// The WorldsApi service of this platform: DDE on Windows, the Unix-domain socket elsewhere.
// A transaction (or, on the socket, the opening of a conversation) that gets no answer fails
// after kTransactionTimeoutSeconds.
std::unique_ptr<DdeChannel> MakeWorldsApiChannel();

// Windows: EnumWindows and SetForegroundWindow. X11: the window manager's client list and
// _NET_ACTIVE_WINDOW.
std::unique_ptr<WindowActivator> MakeDesktopWindowActivator();

}  // namespace gv
