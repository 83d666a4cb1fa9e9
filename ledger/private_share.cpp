#include "ledger/private_share.h"

#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"

namespace ledger {

namespace {

PrivateShareRefusal refusalFor(const PrivateUse& typed, const QString& ownCode,
                               const std::optional<PrivateTarget>& target) {
    if (typed.percent < 0 || typed.percent > 100) return PrivateShareRefusal::PercentOutOfRange;
    if (typed.acctCode.trimmed().isEmpty()) return PrivateShareRefusal::None;
    if (typed.percent == 0) return PrivateShareRefusal::NoPercent;
    // Checked on the typed code, since an account being added is not found yet.
    if (typed.acctCode.trimmed().compare(ownCode.trimmed(), Qt::CaseInsensitive) == 0)
        return PrivateShareRefusal::OwnAccount;
    if (!target) return PrivateShareRefusal::UnknownAccount;
    // A private share passed on to an account that splits again would be split twice.
    if (target->isPrivate) return PrivateShareRefusal::PrivateAccount;
    return PrivateShareRefusal::None;
}

}  // namespace

PrivateShareResult privateShareFields(const PrivateUse& typed, const QString& ownCode, int coy,
                                      const std::optional<PrivateTarget>& target) {
    PrivateShareResult result;
    result.refusal = refusalFor(typed, ownCode, target);
    if (result.refusal != PrivateShareRefusal::None || typed.percent == 0) return result;
    result.fields.domestic = 1;
    result.fields.allocPer = typed.percent;
    if (typed.acctCode.trimmed().isEmpty() || !target) return result;
    result.fields.domLink = store::keys::journalLinkCode(target->linkCode, coy);
    result.fields.domAcct = target->acctCode.trimmed();
    result.fields.domDept = target->branch.trimmed();
    result.fields.domFullCode = target->fullCode.trimmed();
    return result;
}

std::optional<PrivateTarget> findPrivateTarget(store::Connection& connection, int coy,
                                               const QString& acctCode) {
    if (acctCode.trimmed().isEmpty()) return std::nullopt;
    store::Query q(connection);
    q.setSql(QStringList{
        QStringLiteral("SELECT ACCTCODE, LINKCODE, BRANCH, FULLCODE, DOMESTIC FROM QVACCDET"),
        QStringLiteral("WHERE COYCODE = :sCoyCode AND ACCTCODE = :sAcctCode")});
    q.bind("sCoyCode", QString::number(coy));
    q.bind("sAcctCode", acctCode.trimmed());
    q.open();
    if (q.eof()) return std::nullopt;
    return PrivateTarget{q.text("ACCTCODE"), q.text("LINKCODE"), q.text("BRANCH"),
                         q.text("FULLCODE"), q.integer("DOMESTIC") == 1};
}

void writePrivateShare(store::Table& accounts, const PrivateShareFields& f) {
    accounts.setValue("DOMESTIC", f.domestic);
    accounts.setValue("ALLOCPER", f.allocPer);
    accounts.setValue("DOMLINK", f.domLink);
    accounts.setValue("DOMACCT", f.domAcct);
    accounts.setValue("DOMDEPT", f.domDept);
    accounts.setValue("DOMFULLCOD", f.domFullCode);
}

PrivateUse storedPrivateUse(const store::Table& account) {
    if (!account.hasRecord() || account.integer("DOMESTIC") != 1) return {};
    return {static_cast<int>(account.integer("ALLOCPER")), account.text("DOMACCT").trimmed()};
}

QString privateShareRefusalText(PrivateShareRefusal refusal) {
    switch (refusal) {
        case PrivateShareRefusal::None:
            break;
        case PrivateShareRefusal::PercentOutOfRange:
            return QStringLiteral("The private percent must be from 0 to 100.");
        case PrivateShareRefusal::UnknownAccount:
            return QStringLiteral("Could not find the account for the private share!");
        case PrivateShareRefusal::OwnAccount:
            return QStringLiteral("An account cannot take its own private share.");
        case PrivateShareRefusal::PrivateAccount:
            return QStringLiteral(
                "The account for the private share has a private share of its own.  Choose an "
                "account without one.");
        case PrivateShareRefusal::NoPercent:
            return QStringLiteral(
                "Enter the private percent, or clear the account for the private share.");
    }
    return {};
}

}  // namespace ledger
