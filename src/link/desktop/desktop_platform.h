#pragma once
// Hands the chat link this desktop's own pieces: the WorldsApi conversation over wxWidgets'
// IPC, window activation by title, and the loader of the client's API library.

namespace gv {

class ChatLink;

void UseDesktopPlatform(ChatLink& link);

}  // namespace gv
