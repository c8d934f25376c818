#pragma once
// A list of rows in a window of Gavelton's own (the floor log and the like): a virtual list
// told only of the rows that changed, each row read to screen readers as one sentence, and
// the selected rows copied to the clipboard as tab-separated text. What a row shows comes
// from a ListDesign; the list itself reads the rows through ListRows, whatever their type,
// so that its platform parts stay in the .cpp.

#include <wx/dataview.h>

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace gv::ui {

struct ListColumn {
    wxString title;
    int width = 80;  // device-independent pixels
    wxAlignment align = wxALIGN_LEFT;
};

// What a list of `Row`s shows: its columns, and each row's texts.
template <class Row>
struct ListDesign {
    wxString name;  // the list's name for screen readers ("Floor log")
    std::vector<ListColumn> columns;
    std::function<std::string(const Row&, unsigned column)> cell;
    std::function<std::string(const Row&)> sentence;  // the whole row, as a screen reader hears it
    std::function<std::string(const Row&)> tabText;   // the row on the clipboard, without its line end
    // Whether a row shown may stay as it is for this one: the list is told of no others.
    std::function<bool(const Row&, const Row&)> same;
};

// The rows a list shows as its own copy, read by the list whatever their type.
class ListRows : public wxDataViewVirtualListModel {
public:
    ListRows(wxString name, std::vector<ListColumn> columns)
        : wxDataViewVirtualListModel(0), name_(std::move(name)), columns_(std::move(columns)) {}

    const wxString& Name() const { return name_; }
    const std::vector<ListColumn>& Columns() const { return columns_; }
    virtual std::size_t Size() const = 0;
    // Of a row below Size().
    virtual std::string Cell(std::size_t row, unsigned column) const = 0;
    virtual std::string Sentence(std::size_t row) const = 0;
    virtual std::string TabText(std::size_t row) const = 0;

    unsigned GetColumnCount() const override { return static_cast<unsigned>(columns_.size()); }
    wxString GetColumnType(unsigned) const override { return "string"; }
    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override;
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }

private:
    wxString name_;
    std::vector<ListColumn> columns_;
};

// The list's copy of the rows, kept apart from its owner's: the owner may fill its own rows
// afresh while the window yields, and the list must not read them half-filled meanwhile.
template <class Row>
class RowsModel final : public ListRows {
public:
    explicit RowsModel(ListDesign<Row> design)
        : ListRows(design.name, design.columns), design_(std::move(design)) {}

    std::size_t Size() const override { return rows_.size(); }
    std::string Cell(std::size_t row, unsigned column) const override {
        return design_.cell(rows_[row], column);
    }
    std::string Sentence(std::size_t row) const override { return design_.sentence(rows_[row]); }
    std::string TabText(std::size_t row) const override { return design_.tabText(rows_[row]); }

    const std::vector<Row>& Rows() const { return rows_; }
    // Shows `rows`, the list told only of the rows that changed.
    void ShowRows(const std::vector<Row>& rows);

private:
    ListDesign<Row> design_;
    std::vector<Row> rows_;
};

template <class Row>
void RowsModel<Row>::ShowRows(const std::vector<Row>& rows) {
    // Rows that stay as they were keep their place, and the selection on them: the list is
    // told of the rows after them alone, not emptied and filled again.
    const auto kept = static_cast<std::size_t>(
        std::mismatch(rows_.begin(), rows_.end(), rows.begin(), rows.end(), design_.same).first -
        rows_.begin());
    if (kept == rows_.size() && kept == rows.size()) return;
    // Row by row costs more than one reset once many rows move.
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

// The list control over rows of any type: several rows can be selected, and each row reads
// to screen readers as one sentence ("Line 6, Ben: 505, refused, ..."), not as its first cell.
class RowList : public wxDataViewCtrl {
public:
    // Takes the only reference to `rows`.
    RowList(wxWindow* parent, const wxString& windowName, ListRows* rows);

    unsigned RowCount() const;
    // What the list shows in a cell, as the control gives it.
    wxString CellText(unsigned row, unsigned column) const;
    // What a screen reader hears of child `child` of the list, numbered as the list's
    // accessible object numbers them: 0 the list itself, by its name; 1 to RowCount() a row,
    // as one sentence; empty past the last row.
    wxString Spoken(unsigned child) const;
    // The selected rows on the clipboard as plain text, tab-separated, one row a line, in the
    // list's order whatever order they were picked in. Nothing selected leaves it as it was.
    void CopySelection() const;
    // The first selected row in the list's order; none when nothing is selected.
    std::optional<unsigned> FirstSelected() const;
    // Selects `row` alone, and shows it.
    void SelectOnly(unsigned row);

#if wxUSE_ACCESSIBILITY && defined(wxHAS_GENERIC_DATAVIEWCTRL)
    wxAccessible* CreateAccessible() override;
#endif

private:
    const ListRows& rows_;  // owned by the control through its reference count
};

// A RowList over `Row`s, shown as `design` says.
template <class Row>
class ListView final : public RowList {
public:
    ListView(wxWindow* parent, const wxString& windowName, ListDesign<Row> design)
        : ListView(parent, windowName, new RowsModel<Row>(std::move(design))) {}

    // Shows `rows` in place of those shown, the list told only of the rows that changed.
    void ShowRows(const std::vector<Row>& rows) { model_.ShowRows(rows); }
    const std::vector<Row>& Rows() const { return model_.Rows(); }

private:
    ListView(wxWindow* parent, const wxString& windowName, RowsModel<Row>* model)
        : RowList(parent, windowName, model), model_(*model) {}

    RowsModel<Row>& model_;
};

}  // namespace gv::ui
