#pragma once
// The auction as the program runs it: wxWidgets' event pump and the real chat link under the
// models, with the hidden link host window WA_DDE for the DDE transport.

#include "common/message_sink.h"
#include "floor/auction.h"
#include "link/chat_link.h"
#include "ui/wx_services.h"

namespace gv::ui {

class DesktopAuction {
public:
    // `messages` shows the chat link's message boxes; it must outlive this object.
    explicit DesktopAuction(MessageSink& messages);
    DesktopAuction(const DesktopAuction&) = delete;
    DesktopAuction& operator=(const DesktopAuction&) = delete;

    Auction& Get() { return auction_; }
    ChatLink& Link() { return link_; }
    WxEventPump& Pump() { return pump_; }

private:
    WxEventPump pump_;
    ChatLink link_;
    Auction auction_;
};

}  // namespace gv::ui
