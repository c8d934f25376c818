#include "ui/floor_log_window.h"

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/dataview.h>
#include <wx/display.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include <algorithm>
#include <vector>

#include "common/program_title.h"
#include "floor/judgement.h"
#include "ui/accessibility.h"
#include "ui/caption.h"
#include "ui/gavel_icon.h"
#include "ui/native.h"

namespace gv::ui {

namespace {

constexpr const char* kListName = "Floor log";
struct ColumnDesign {
    const char* title;
    int width;  // device-independent pixels
    wxAlignment align;
};
constexpr ColumnDesign kColumns[] = {
    {"Line", 50, wxALIGN_RIGHT},   {"Who", 110, wxALIGN_LEFT},     {"Message", 230, wxALIGN_LEFT},
    {"Amount", 70, wxALIGN_RIGHT}, {"Verdict", 380, wxALIGN_LEFT},
};
constexpr unsigned kColumnCount = sizeof kColumns / sizeof kColumns[0];

std::string CellOf(const Judgement& row, unsigned column) {
    switch (column) {
        case 0:
            return row.line > 0 ? std::to_string(row.line) : std::string();
        case 1:
            return row.speaker;
        case 2:
            return row.message;
        case 3:
            return AmountText(row);
        default:
            return VerdictText(row);
    }
}

}  // namespace

// The rows the list shows, kept apart from the floor's: the floor judges every Get Bids
// afresh while the window yields, and the list must not read a half-filled log meanwhile.
class FloorLogModel final : public wxDataViewVirtualListModel {
public:
    FloorLogModel() : wxDataViewVirtualListModel(0) {}

    unsigned GetColumnCount() const override { return kColumnCount; }
    wxString GetColumnType(unsigned) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override {
        value = row < rows_.size() ? wxString::FromUTF8(CellOf(rows_[row], column)) : wxString();
    }
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }
    void ShowRows(const std::vector<Judgement>& rows);
    const std::vector<Judgement>& Rows() const { return rows_; }

private:
    std::vector<Judgement> rows_;
};

void FloorLogModel::ShowRows(const std::vector<Judgement>& rows) {
    // A later Get Bids of the same auction keeps the earlier rows as they were and adds the new
    // lines: the list is told of those alone, not emptied and filled again.
    const std::size_t kept = static_cast<std::size_t>(
        std::mismatch(rows_.begin(), rows_.end(), rows.begin(), rows.end()).first - rows_.begin());
    if (kept == rows_.size() && kept == rows.size()) return;
    // Row by row costs more than one reset once many rows move: a new auction, a new item.
    constexpr std::size_t kRowByRowAtMost = 200;
    if (std::max(rows_.size(), rows.size()) - kept > kRowByRowAtMost) {
        rows_ = rows;
        Reset(static_cast<unsigned>(rows_.size()));
        return;
    }
    if (rows_.size() > rows.size()) {
        wxArrayInt gone;
        for (std::size_t row = rows.size(); row < rows_.size(); ++row) gone.push_back(static_cast<int>(row));
        rows_.resize(rows.size());
        RowsDeleted(gone);
    }
    for (std::size_t row = kept; row < rows_.size(); ++row) {
        rows_[row] = rows[row];
        RowChanged(static_cast<unsigned>(row));
    }
    for (std::size_t row = rows_.size(); row < rows.size(); ++row) {
        rows_.push_back(rows[row]);
        RowAppended();
    }
}

#if wxUSE_ACCESSIBILITY && defined(wxHAS_GENERIC_DATAVIEWCTRL)
namespace {

// Each row reads as one sentence ("Line 6, Ben: 505, refused, ..."), not as its first cell.
class RowSentences final : public wxDataViewCtrlAccessible {
public:
    RowSentences(wxDataViewCtrl* list, const FloorLogModel& rows)
        : wxDataViewCtrlAccessible(list), rows_(rows) {}
    wxAccStatus GetName(int childId, wxString* name) override {
        if (childId == wxACC_SELF) {
            *name = kListName;
            return wxACC_OK;
        }
        if (childId > 0 && static_cast<std::size_t>(childId) <= rows_.Rows().size()) {
            *name = wxString::FromUTF8(RowSentence(rows_.Rows()[static_cast<std::size_t>(childId) - 1]));
            return wxACC_OK;
        }
        return wxDataViewCtrlAccessible::GetName(childId, name);
    }

private:
    const FloorLogModel& rows_;
};

class LogList final : public wxDataViewCtrl {
public:
    LogList(wxWindow* parent, const FloorLogModel& rows)
        : wxDataViewCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxDV_MULTIPLE | wxDV_ROW_LINES),
          rows_(rows) {}
    wxAccessible* CreateAccessible() override { return new RowSentences(this, rows_); }

private:
    const FloorLogModel& rows_;
};

}  // namespace
#endif

FloorLogWindow::FloorLogWindow(wxWindow* owner, const Floor& floor)
    : wxFrame(owner, wxID_ANY, wxString(kProgramTitle) + " - Floor log", wxDefaultPosition, wxDefaultSize,
              wxDEFAULT_FRAME_STYLE | wxSTAY_ON_TOP, "FloorLog"),
      floor_(floor) {
    SetIcon(GavelIcon());
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    Caption::Style style;
    style.foreground = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    Caption::Speech speech;
    speech.role = "Floor log summary";
    summary_ = new Caption(this, "FloorLogSummary", wxString::FromUTF8(LogSummary(floor_.Judgements())),
                           style, speech);
    summary_->SetMinSize({-1, GetCharHeight() + 6});
    sizer->Add(summary_, 0, wxEXPAND | wxALL, FromDIP(4));
    model_ = new FloorLogModel;
#if wxUSE_ACCESSIBILITY && defined(wxHAS_GENERIC_DATAVIEWCTRL)
    list_ = new LogList(this, *model_);
#else
    list_ =
        new wxDataViewCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxDV_MULTIPLE | wxDV_ROW_LINES);
#endif
    list_->SetName("FloorLogList");
    list_->AssociateModel(model_);
    model_->DecRef();  // the list holds the only reference now
    BuildColumns();
    UseFixedRowHeights(list_);
    sizer->Add(list_, 1, wxEXPAND | wxLEFT | wxRIGHT, FromDIP(4));
    undo_ = new wxButton(this, wxID_ANY, "&Undo last sale", wxDefaultPosition, wxDefaultSize, 0,
                         wxDefaultValidator, "UndoLastSale");
    undo_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (undoLastSale_) undoLastSale_();
    });
    undo_->Hide();
    sizer->Add(undo_, 0, wxALL, FromDIP(4));
    SetSizer(sizer);
    SetSize(FromDIP(wxSize(900, 420)));

    BindKeys();
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (onCloseRequest_ && event.CanVeto()) {
            event.Veto();
            CallAfter([this] { onCloseRequest_(); });
            return;
        }
        event.Skip();
    });
    if (!place_.Restore(this)) {
        const wxRect screen = wxDisplay(owner).GetClientArea();
        SetSize(FirstLogPlace(screen, owner->GetScreenRect(), GetSize()));
    }
    KeepOnTop(this);
    ShowJudgements();
}

FloorLogWindow::~FloorLogWindow() {
    SaveState();
    if (onGone_) onGone_();
}

FileResult FloorLogWindow::SaveState() { return place_.Keep(); }

FileResult FloorLogWindow::Retire() {
    // Saved while the window still stands where the host left it.
    FileResult saved = SaveState();
    onGone_ = {};
    Destroy();
    return saved;
}

void FloorLogWindow::BuildColumns() {
#if !(wxUSE_ACCESSIBILITY && defined(wxHAS_GENERIC_DATAVIEWCTRL))
    Describe(list_, SpokenRole::Native, kListName, {});
#endif
    for (unsigned column = 0; column < kColumnCount; ++column) {
        const ColumnDesign& design = kColumns[column];
        list_->AppendTextColumn(design.title, column, wxDATAVIEW_CELL_INERT, FromDIP(design.width),
                                design.align, wxDATAVIEW_COL_RESIZABLE);
    }
}

void FloorLogWindow::ShowJudgements() {
    model_->ShowRows(floor_.Judgements().rows);
    summary_->SetLabel(wxString::FromUTF8(LogSummary(floor_.Judgements())));
}

unsigned FloorLogWindow::RowCount() const { return model_->GetCount(); }

wxString FloorLogWindow::CellText(unsigned row, unsigned column) const {
    wxVariant value;
    list_->GetModel()->GetValue(value, model_->GetItem(row), column);
    return value.GetString();
}

void FloorLogWindow::CopySelection() {
    wxDataViewItemArray selected;
    list_->GetSelections(selected);
    std::vector<unsigned> rows;
    for (const wxDataViewItem& item : selected) rows.push_back(model_->GetRow(item));
    std::sort(rows.begin(), rows.end());  // chat order, whatever order they were picked in
    std::string text;
    for (const unsigned row : rows) {
        if (row >= model_->Rows().size()) continue;
        text += RowTabText(model_->Rows()[row]);
        text += '\n';
    }
    if (text.empty() || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
    wxTheClipboard->Close();
}

void FloorLogWindow::SetUndoLastSale(std::function<void()> undo) {
    undoLastSale_ = std::move(undo);
    undo_->Show(static_cast<bool>(undoLastSale_));
    Layout();
}

void FloorLogWindow::BindKeys() {
    // Accelerators: the list itself would take the keys first otherwise.
    const int copy = wxWindow::NewControlId();
    const int close = wxWindow::NewControlId();
    wxAcceleratorEntry keys[] = {{wxACCEL_CTRL, 'C', copy}, {wxACCEL_CTRL, 'L', close}};
    SetAcceleratorTable(wxAcceleratorTable(2, keys));
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { CopySelection(); }, copy);
    Bind(
        wxEVT_MENU,
        [this](wxCommandEvent&) {
            if (onCloseRequest_) onCloseRequest_();
        },
        close);
}

}  // namespace gv::ui
