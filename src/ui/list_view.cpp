#include "ui/list_view.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include "ui/accessibility.h"
#include "ui/native.h"

namespace gv::ui {

void ListRows::GetValueByRow(wxVariant& value, unsigned row, unsigned column) const {
    value = row < Size() ? wxString::FromUTF8(Cell(row, column)) : wxString();
}

#if wxUSE_ACCESSIBILITY && defined(wxHAS_GENERIC_DATAVIEWCTRL)
namespace {

// The list and its rows by what RowList::Spoken says of them; the rest as the generic list has it.
class RowSentences final : public wxDataViewCtrlAccessible {
public:
    explicit RowSentences(RowList* list) : wxDataViewCtrlAccessible(list), list_(*list) {}
    wxAccStatus GetName(int childId, wxString* name) override {
        if (childId == wxACC_SELF || (childId > 0 && static_cast<unsigned>(childId) <= list_.RowCount())) {
            *name = list_.Spoken(static_cast<unsigned>(childId));
            return wxACC_OK;
        }
        return wxDataViewCtrlAccessible::GetName(childId, name);
    }

private:
    const RowList& list_;
};

}  // namespace

wxAccessible* RowList::CreateAccessible() { return new RowSentences(this); }
#endif

RowList::RowList(wxWindow* parent, const wxString& windowName, ListRows* rows)
    : wxDataViewCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxDV_MULTIPLE | wxDV_ROW_LINES),
      rows_(*rows) {
    SetName(windowName);
    AssociateModel(rows);
    rows->DecRef();  // the list holds the only reference now
#if !(wxUSE_ACCESSIBILITY && defined(wxHAS_GENERIC_DATAVIEWCTRL))
    Describe(this, SpokenRole::Native, rows_.Name(), {});
#endif
    const std::vector<ListColumn>& columns = rows_.Columns();
    for (unsigned column = 0; column < columns.size(); ++column) {
        const ListColumn& design = columns[column];
        AppendTextColumn(design.title, column, wxDATAVIEW_CELL_INERT, FromDIP(design.width), design.align,
                         wxDATAVIEW_COL_RESIZABLE);
    }
    UseFixedRowHeights(this);
}

unsigned RowList::RowCount() const { return rows_.GetCount(); }

wxString RowList::CellText(unsigned row, unsigned column) const {
    wxVariant value;
    GetModel()->GetValue(value, rows_.GetItem(row), column);
    return value.GetString();
}

wxString RowList::Spoken(unsigned child) const {
    if (child == 0) return rows_.Name();
    return child <= rows_.Size() ? wxString::FromUTF8(rows_.Sentence(child - 1)) : wxString();
}

std::optional<unsigned> RowList::FirstSelected() const {
    wxDataViewItemArray selected;
    GetSelections(selected);
    std::optional<unsigned> first;
    for (const wxDataViewItem& item : selected) {
        const unsigned row = rows_.GetRow(item);
        if (row < rows_.Size() && (!first || row < *first)) first = row;
    }
    return first;
}

void RowList::SelectOnly(unsigned row) {
    UnselectAll();
    if (row >= rows_.Size()) return;
    const wxDataViewItem item = rows_.GetItem(row);
    Select(item);
    EnsureVisible(item);
}

void RowList::CopySelection() const {
    wxDataViewItemArray selected;
    GetSelections(selected);
    std::vector<unsigned> rows;
    for (const wxDataViewItem& item : selected) rows.push_back(rows_.GetRow(item));
    std::sort(rows.begin(), rows.end());
    std::string text;
    for (const unsigned row : rows) {
        if (row >= rows_.Size()) continue;
        text += rows_.TabText(row);
        text += '\n';
    }
    if (text.empty() || !wxTheClipboard->Open()) return;
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
    wxTheClipboard->Close();
}

}  // namespace gv::ui
