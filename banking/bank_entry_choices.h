#pragma once
// The decisions the bank transaction window makes by itself, as plain functions: which boxes a
// kind of entry shows, what a kind puts in the source and narrative, when "Save" may be
// pressed, what the tax box proposes, what the number box says. No widgets here.

#include <QString>
#include <optional>

#include "banking/journal_rules.h"

namespace banking {

// The tax box is shown (and editable) only when the company records tax, the chosen ledger
// account carries tax and is not wholly private, the row is not reconciled, and the entry is
// neither a transfer nor a row with details.
struct TaxBoxState {
    EntryType type = EntryType::Deposit;
    bool hasDetails = false;
    bool companyTax = false;              // GSTENABLED
    std::optional<LedgerAccount> ledger;  // the account in "Purpose :", if found
    bool reconciled = false;
};
bool taxBoxShown(const TaxBoxState& s);

// The amount box: hidden for a row with details, and for interest and fees until a ledger
// account is chosen (while adding or editing).
bool amountBoxShown(EntryType type, bool hasDetails, bool ledgerChosen, bool browsing);

// What choosing a kind in add mode puts in the boxes: interest "INT" and "Interest.", fees
// "FEES" and "Bank fees.", with the source box locked; other kinds change nothing.
struct TypeDefaults {
    std::optional<QString> source;
    std::optional<QString> narrative;
    bool sourceLocked = false;
};
TypeDefaults typeDefaults(EntryType type);

// "Has details" is offered only for deposits and withdrawals.
bool detailsAllowed(EntryType type);
// The ledger accounts the picker offers: "INC" for deposits and interest, else "EXP".
QString ledgerPickerType(EntryType type);
// The source a new entry starts with: the previous one, except that "CHEQUE" and "DETAILS"
// become "Misc".
QString sourceForNewEntry(const QString& previous);

// The tax the amount box puts in the tax box while typing: for a deposit or withdrawal above
// 0 when the company and the account carry tax; nothing (the box stays as it is) otherwise.
std::optional<double> taxToPropose(EntryType type, const Company& company,
                                   const std::optional<LedgerAccount>& ledger, double amount);

// "Save F4" may be pressed.
struct SaveState {
    bool editing = false;  // adding or editing
    bool accountFound = false;
    bool referenceUsable = false;
    EntryType type = EntryType::Deposit;
    bool hasDetails = false;
    bool ledgerUsable = false;  // no refusal beside "Purpose :"
    bool ledgerChosen = false;
    bool destinationUsable = false;
    bool amountEntered = false;
};
bool saveAllowed(const SaveState& s);

// What the window says about the number typed in "Ref. No. :" while adding: nothing when it
// may be used, the range message when it is not a whole number from 1 to the counter's limit,
// "This transaction number is in use.. enter another." when the account has it.
QString referenceMessage(const QString& text, bool inUse);
QString referenceInUseText();

}  // namespace banking
