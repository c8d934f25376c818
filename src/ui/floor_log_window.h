#pragma once
// The floor log window "Gavelton - Floor log": every judgement of the last Get Bids of the
// item on the block, one row per line that matters, beside the main window and on top like
// it. Its size and place are kept with those of Gavelton's other windows, in a file of their
// own in the working folder.

#include <functional>
#include <string>

#include "floor/floor.h"
#include "ui/side_window.h"
#include "ui/window_place.h"

class wxButton;
class wxDataViewCtrl;

namespace gv::ui {

class Caption;
template <class Row>
class ListView;

// Where the log window first opens (no place kept yet): beside the main window `main`.
inline wxRect FirstLogPlace(const wxRect& screen, const wxRect& main, const wxSize& designed) {
    return FirstPlaceBeside(screen, main, designed);
}

class FloorLogWindow final : public SideWindow {
public:
    // Shows what `floor` judged; `floor` must outlive the window.
    FloorLogWindow(wxWindow* owner, const Floor& floor);

    // Shows the floor's judgements (the list told only of the rows that changed since the last
    // time) and says the summary to screen readers when it changed.
    void ShowJudgements();
    // The selected rows on the clipboard as plain text, tab-separated, one row a line.
    void CopySelection();
    // "Undo last sale": hidden until it is given something to run.
    void SetUndoLastSale(std::function<void()> undo);
    // "Accounts", and Ctrl+K: hidden until it is given something to run.
    void SetOpenAccounts(std::function<void()> open);

    wxDataViewCtrl* List() const;
    const Caption& Summary() const { return *summary_; }
    wxButton* UndoButton() const { return undo_; }
    wxButton* AccountsButton() const { return accounts_; }
    // What the list shows in a cell, as the control gives it.
    wxString CellText(unsigned row, unsigned column) const;
    unsigned RowCount() const;

private:
    // Keeps the window at least as large as its controls need, the buttons shown included.
    void KeepControlsWhole();
    void BindKeys();  // Ctrl+C copies, Ctrl+L closes, Ctrl+K opens the accounts

    const Floor& floor_;
    Caption* summary_ = nullptr;
    ListView<Judgement>* list_ = nullptr;
    wxButton* undo_ = nullptr;
    wxButton* accounts_ = nullptr;
    std::function<void()> undoLastSale_;
    std::function<void()> openAccounts_;
};

}  // namespace gv::ui
