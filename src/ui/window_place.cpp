#include "ui/window_place.h"

#include <wx/display.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/persist/toplevel.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

namespace gv::ui {

namespace {

// The window state store: a wxFileConfig of its own over the text of a file in the working
// folder, read each time a window is placed. It is written back by Gavelton itself, never by
// the config: that would tell a folder that cannot take it in a box of wxWidgets' own.
class WindowStateStore final : public wxPersistenceManager {
public:
    static WindowStateStore& Use() {
        WindowStateStore& store = Instance();
        store.path_ = wxFileName(wxGetCwd(), kWindowStateFile).GetFullPath().utf8_string();
        const std::string text = ReadWholeFile(std::filesystem::u8path(store.path_)).value_or(std::string());
        wxMemoryInputStream in(text.data(), text.size());
        const wxLogNull quiet;  // a garbled line is skipped, not told in a box
        store.config_ = std::make_unique<wxFileConfig>(in, wxConvUTF8);
        wxPersistenceManager::Set(store);
        return store;
    }
    static WindowStateStore& Instance() {
        static WindowStateStore store;
        return store;
    }
    wxConfigBase* GetConfig() const override { return config_.get(); }
    FileResult Flush() {
        if (!config_) return {};
        wxMemoryOutputStream out;
        {
            const wxLogNull quiet;
            if (!config_->Save(out, wxConvUTF8)) return {false, "cannot be put together"};
        }
        const wxStreamBuffer& buffer = *out.GetOutputStreamBuffer();
        return WriteFileAtomically(
            std::filesystem::u8path(path_),
            {static_cast<const char*>(buffer.GetBufferStart()), buffer.GetIntPosition()});
    }

private:
    std::unique_ptr<wxFileConfig> config_;
    std::string path_;
};

}  // namespace

wxRect FirstPlaceBeside(const wxRect& screen, const wxRect& main, const wxSize& designed) {
    // The room each side of the main window leaves on the screen, in the order preferred on a tie.
    const int right = main.GetRight() + 1;
    const int bottom = main.GetBottom() + 1;
    const wxRect rooms[] = {
        {right, screen.y, screen.GetRight() + 1 - right, screen.height},
        {screen.x, bottom, screen.width, screen.GetBottom() + 1 - bottom},
        {screen.x, screen.y, main.x - screen.x, screen.height},
        {screen.x, screen.y, screen.width, main.y - screen.y},
    };
    wxRect best;
    for (std::size_t side = 0; side < std::size(rooms); ++side) {
        const wxRect& room = rooms[side];
        if (room.width <= 0 || room.height <= 0) continue;
        const wxSize size(std::min(designed.x, room.width), std::min(designed.y, room.height));
        if (best.width * best.height >= size.x * size.y) continue;
        // Next to the main window: level with it beside it, in line with it below or above.
        const bool beside = side == 0 || side == 2;
        wxPoint at(side == 2 ? main.x - size.x : room.x, side == 3 ? main.y - size.y : room.y);
        if (beside) at.y = std::clamp(main.y, room.y, room.GetBottom() + 1 - size.y);
        if (!beside) at.x = std::clamp(main.x, room.x, room.GetRight() + 1 - size.x);
        best = wxRect(at, size);
    }
    // No room beside it at all: the designed size where the screen starts.
    return best.IsEmpty() ? wxRect(screen.GetPosition(), designed) : best;
}

wxRect OntoNearestScreen(const wxRect& place, const std::vector<wxRect>& screens) {
    // Enough to take hold of: a piece of the title bar's height, as wide as a few captions.
    const int holdWidth = std::min(place.width, 40);
    const int holdHeight = std::min(place.height, 20);
    const auto away = [&](const wxRect& screen) {
        const long long dx =
            std::max({0, screen.x - (place.x + place.width), place.x - (screen.x + screen.width)});
        const long long dy =
            std::max({0, screen.y - (place.y + place.height), place.y - (screen.y + screen.height)});
        return dx * dx + dy * dy;
    };
    const wxRect* nearest = nullptr;
    for (const wxRect& screen : screens) {
        const wxRect shown = screen.Intersect(place);
        if (!shown.IsEmpty() && shown.width >= holdWidth && shown.height >= holdHeight) return place;
        if (nearest == nullptr || away(screen) < away(*nearest)) nearest = &screen;
    }
    if (nearest == nullptr) return place;
    wxRect onto(place.GetPosition(),
                wxSize(std::min(place.width, nearest->width), std::min(place.height, nearest->height)));
    onto.x = std::clamp(onto.x, nearest->x, nearest->x + nearest->width - onto.width);
    onto.y = std::clamp(onto.y, nearest->y, nearest->y + nearest->height - onto.height);
    return onto;
}

bool KeptPlace::Restore(wxTopLevelWindow* window) {
    WindowStateStore::Use();
    window_ = window;
    if (!wxPersistentRegisterAndRestore(window)) return false;
    // The place as kept, not as wxWidgets left it: it does not move a window it would lose.
    wxPersistenceManager& manager = wxPersistenceManager::Get();
    const wxPersistentObject* kept = manager.Find(window);
    wxRect place;
    if (kept == nullptr || !manager.RestoreValue(*kept, "x", &place.x) ||
        !manager.RestoreValue(*kept, "y", &place.y) || !manager.RestoreValue(*kept, "w", &place.width) ||
        !manager.RestoreValue(*kept, "h", &place.height))
        return true;
    std::vector<wxRect> screens;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) screens.push_back(wxDisplay(i).GetClientArea());
    const wxRect onto = OntoNearestScreen(place, screens);
    if (onto != place) window->SetSize(onto);
    return true;
}

FileResult KeptPlace::Keep() {
    if (kept_) return {};
    kept_ = true;
    // Saved, not unregistered: the persistent object stays bound to the window's destroy
    // event, which saves and unregisters it once more as the window goes.
    wxPersistenceManager& manager = wxPersistenceManager::Get();
    if (window_ && manager.Find(window_)) manager.Save(window_);
    return WindowStateStore::Instance().Flush();
}

}  // namespace gv::ui
