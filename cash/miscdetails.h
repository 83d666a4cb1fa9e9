#pragma once
// "Misc" of the bank transaction window: the cash details window opened for the deposit or
// withdrawal being entered, and, once lines were attached, the entry posted as a row with
// details whose amount follows from them.

#include <optional>

#include "banking/bank_posting.h"

class QWidget;

namespace cash {

// Opens the details window for `entry` (a deposit or withdrawal, added or edited). Nothing when
// no line was attached or the entry is reconciled; otherwise the posting's result.
std::optional<banking::SaveResult> enterMiscDetails(QWidget* owner, store::Connection& connection,
                                                    const banking::Company& company,
                                                    const banking::BankEntry& entry,
                                                    banking::EntryMode mode,
                                                    const banking::Confirm& confirm);

}  // namespace cash
