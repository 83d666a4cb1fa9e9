#include "banking/bank_entry_choices.h"

#include "banking/money_limits.h"
#include "store/format.h"

namespace banking {

namespace {

bool bankSourced(EntryType type) { return type == EntryType::Interest || type == EntryType::Fees; }

}  // namespace

bool taxBoxShown(const TaxBoxState& s) {
    return s.type != EntryType::Transfer && !s.hasDetails && s.companyTax && s.ledger &&
           s.ledger->gstApplies && businessShare(*s.ledger) > 0 && !s.reconciled;
}

bool amountBoxShown(EntryType type, bool hasDetails, bool ledgerChosen, bool browsing) {
    return !hasDetails && (!bankSourced(type) || ledgerChosen || browsing);
}

TypeDefaults typeDefaults(EntryType type) {
    if (type == EntryType::Interest)
        return {QStringLiteral("INT"), QStringLiteral("Interest."), true};
    if (type == EntryType::Fees)
        return {QStringLiteral("FEES"), QStringLiteral("Bank fees."), true};
    return {};
}

bool detailsAllowed(EntryType type) {
    return type == EntryType::Deposit || type == EntryType::Withdrawal;
}

QString ledgerPickerType(EntryType type) {
    return type == EntryType::Deposit || type == EntryType::Interest ? QStringLiteral("INC")
                                                                     : QStringLiteral("EXP");
}

QString sourceForNewEntry(const QString& previous) {
    const QString s = previous.trimmed();
    if (s == QLatin1String("CHEQUE") || s == QLatin1String("DETAILS"))
        return QStringLiteral("Misc");
    return previous;
}

std::optional<double> taxToPropose(EntryType type, const Company& company,
                                   const std::optional<LedgerAccount>& ledger, double amount) {
    if (!detailsAllowed(type) || !ledger || !company.gstEnabled || !ledger->gstApplies)
        return std::nullopt;
    if (!(amount > 0.0) || !fitsField(amount, largestAmount())) return std::nullopt;
    return proposedTax(type, company, *ledger, amount);
}

bool saveAllowed(const SaveState& s) {
    if (!s.editing || !s.accountFound || !s.referenceUsable) return false;
    if (s.type == EntryType::Transfer) return s.destinationUsable && s.amountEntered;
    if (s.hasDetails) return true;
    return s.ledgerUsable && (!bankSourced(s.type) || s.ledgerChosen);
}

QString referenceInUseText() {
    return QStringLiteral("This transaction number is in use.. enter another.");
}

QString referenceMessage(const QString& text, bool inUse) {
    if (referenceFromText(text) == 0) return referenceRangeText();
    return inUse ? referenceInUseText() : QString();
}

}  // namespace banking
