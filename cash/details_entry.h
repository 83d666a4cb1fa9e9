#pragma once
// The bank entry side of the cash details ("Misc" in the bank transaction window): once lines
// are attached, the entry's amount follows from the sums of the attached income and expense
// lines and the entry is posted as a row with details through the bank entry rules.

#include "banking/bank_posting.h"
#include "cash/attach.h"

namespace cash {

// The entry's new amount (positive): a deposit takes previous + income - expense, a withdrawal
// previous + expense - income, previous being the stored amount when editing and 0 when adding.
double detailsEntryAmount(banking::EntryType type, double previous, const RunningValue& attached);

// "Transaction details not saved!"
QString detailsNotSavedText();

// Posts the entry as a row with details (SOURCE "DETAILS", CSHACCDET 1, no journal line of its
// own) with the amount above, through the bank entry steps: the overdraft question first, then
// in one transaction the single line an edited row had is given up and the row written.
banking::SaveResult postDetailsEntry(store::Connection& connection, banking::BankEntry entry,
                                     banking::EntryMode mode, double previous,
                                     const RunningValue& attached, const banking::Confirm& confirm);

}  // namespace cash
