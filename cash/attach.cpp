#include "cash/attach.h"

#include "store/error.h"
#include "store/format.h"
#include "store/table.h"
#include "store/transaction.h"

namespace cash {

RunningValue RunningValue::startingAt(double signedAmount) {
    RunningValue v;
    v.value = store::fmt::cents(signedAmount);
    return v;
}

AttachStep attachStep(BankSide side, const QString& typeCode, const RunningValue& before,
                      double amount) {
    const qint64 a = store::fmt::cents(amount);
    const QString type = typeCode.trimmed();
    const bool deposit = side == BankSide::Deposit;
    // The line moves the value against the entry's direction.
    const bool against = deposit ? type == QLatin1String("EXP") : type == QLatin1String("INC");
    const qint64 moved = deposit == against ? before.value - a : before.value + a;
    AttachStep step;
    if (against && before.value != 0 && (deposit ? moved <= 0 : moved >= 0)) {
        step.refusal = deposit ? QStringLiteral(
                                     "This transaction will result in a negative amount.  Select "
                                     "an income transaction.")
                               : QStringLiteral(
                                     "This transaction will result in a positive amount.  Select "
                                     "an expense transaction.");
        step.after = before;
        return step;
    }
    step.accepted = true;
    step.after = before;
    step.after.value = moved;
    step.after.attached = true;
    if (type == QLatin1String("EXP")) step.after.expense += a;
    if (type == QLatin1String("INC")) step.after.income += a;
    return step;
}

QString exitRefusal(BankSide side, const RunningValue& value) {
    if (value.value == 0) return {};
    if (side == BankSide::Deposit)
        return value.value > 0 ? QString()
                               : QStringLiteral(
                                     "You cannot exit. The value of the transaction "
                                     "is negative. It is a deposit.");
    return value.value < 0 ? QString()
                           : QStringLiteral(
                                 "You cannot exit. The value of the transation is "
                                 "positive. It is a withdrawal.");
}

QString exitWhileEditingText() { return QStringLiteral("Cannot exit, save or cancel first!"); }

CashResult attachLine(store::Connection& connection, qint64 lineRowId, const BankEntryKeys& k) {
    try {
        store::Transaction tx(connection);
        store::Table t(connection, QStringLiteral("QVActTr.DBF"));
        t.open();
        if (!t.gotoRowId(lineRowId)) return {false, saveFailedText(), 0};
        t.edit();
        t.setValue(QStringLiteral("REF"), QString::number(k.reference));
        t.setValue(QStringLiteral("TRANNUM"), k.reference);
        t.setValue(QStringLiteral("BANKACCT"), k.acctNo.trimmed());
        t.setValue(QStringLiteral("HASBNKACCT"), 1);
        t.setValue(QStringLiteral("BNKTRNLNK"), k.bnkTrnLnk);
        t.setValue(QStringLiteral("BNKLINKNO"), k.bnkLinkNo);
        t.post();
        tx.commit();
    } catch (const store::StoreError&) {
        return {false, saveFailedText(), 0};
    }
    return {true, {}, lineRowId};
}

}  // namespace cash
