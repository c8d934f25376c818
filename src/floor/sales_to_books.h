#pragma once
// The books hear of each sale and its undo from the floor's events: the floor tells, the books
// below it never listen to the floor themselves.

#include "books/ledger.h"
#include "books/sales_record.h"
#include "floor/floor_events.h"

namespace gv {

class SalesToBooks final : public FloorListener {
public:
    // Both must outlive it.
    SalesToBooks(FloorEvents& events, Ledger& ledger)
        : ledger_(ledger), subscription_(events.Subscribe(*this)) {}

    void SaleMade(const SaleRow& row) override { ledger_.SaleMade(row); }
    void SaleUndone(const SaleRow& row) override { ledger_.SaleUndone(row); }

private:
    Ledger& ledger_;
    FloorEvents::Subscription subscription_;
};

}  // namespace gv
