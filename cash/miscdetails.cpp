#include "cash/miscdetails.h"

#include <cmath>

#include "banking/bank_entry_steps.h"
#include "cash/cshtrnform.h"
#include "cash/details_entry.h"
#include "ui/opener.h"

namespace cash {

std::optional<banking::SaveResult> enterMiscDetails(QWidget* owner, store::Connection& connection,
                                                    const banking::Company& company,
                                                    const banking::BankEntry& entry,
                                                    banking::EntryMode mode,
                                                    const banking::Confirm& confirm) {
    const bool deposit = entry.type == banking::EntryType::Deposit;
    const banking::Resolution r = banking::resolveBankEntry(connection, entry, mode);
    const double previous = r.resolved.stored ? std::abs(r.resolved.stored->amount) : 0.0;
    const QString caption =
        (deposit ? QStringLiteral("Miscellaneous transaction details (deposit) for: ")
                 : QStringLiteral("Miscellaneous transaction details (withdrawal) for: ")) +
        company.busName + QStringLiteral(" Bank a/c : ") + entry.bankCode.trimmed() +
        QLatin1Char('-') + entry.acctNo.trimmed();
    RunningValue attached;
    ui::openWindow<TQVCshTrnForm>(
        owner,
        [&](TQVCshTrnForm& w) {
            w.setWindowTitle(caption);
            w.coyCode = entry.coy;
            w.acctNo = entry.acctNo.trimmed();
            w.reference = entry.reference;
            w.side = deposit ? BankSide::Deposit : BankSide::Withdrawal;
            w.bnkLinkNo = banking::entryBnkLinkNo(entry.bankCode, entry.acctNo, entry.reference);
            w.bnkTrnLnk =
                banking::entryBnkTrnLnk(entry.bankCode, entry.acctNo, entry.reference, entry.coy);
            w.signedAmount = r.resolved.stored ? r.resolved.stored->amount : 0.0;
            w.taxable = company.gstEnabled;
            w.rate = company.gstPercent;
        },
        [&](TQVCshTrnForm& w, int) {
            attached = w.runningValue();
            return 0;
        });
    if (!attached.attached || entry.reconciled) return std::nullopt;
    return postDetailsEntry(connection, entry, mode, previous, attached, confirm);
}

}  // namespace cash
