#include "ui/desktop.h"

#include "link/desktop/desktop_platform.h"
#include "ui/link_host_window.h"

namespace gv::ui {

DesktopAuction::DesktopAuction(MessageSink& messages)
    : link_(pump_, messages), auction_(link_, link_, pump_) {
    UseDesktopPlatform(link_);
    auction_.floor.SetSalesRecord(&auction_.sales);
    link_.SetHostFactory(
        [this]() -> std::unique_ptr<LinkHostView> { return std::make_unique<LinkHost>(link_); });
}

}  // namespace gv::ui
