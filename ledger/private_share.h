#pragma once
// The private (domestic) share of a ledger account: the percent of each amount that is private
// and the account that takes it, as the account windows' "Private use" group sets them. No
// widgets here.

#include <QString>
#include <optional>

namespace store {
class Connection;
class Table;
}  // namespace store

namespace ledger {

// The group as typed: the percent and the code of the account taking the private share.
struct PrivateUse {
    int percent = 0;
    QString acctCode;  // blank: the private share is not posted anywhere
};

// The account named as taking the private share, as the company's accounts hold it.
struct PrivateTarget {
    QString acctCode;
    QString linkCode;  // its LINKCODE ("0" at company level)
    QString branch;    // its BRANCH as text
    QString fullCode;
    bool isPrivate = false;  // it has a private share of its own
};

// What an account stores: DOMESTIC, ALLOCPER, DOMLINK, DOMACCT, DOMDEPT, DOMFULLCOD.
struct PrivateShareFields {
    int domestic = 0;
    int allocPer = 0;
    QString domLink, domAcct, domDept, domFullCode;
    bool operator==(const PrivateShareFields&) const = default;
};

enum class PrivateShareRefusal {
    None,
    PercentOutOfRange,  // below 0 or above 100
    UnknownAccount,     // no account of the company has the typed code
    OwnAccount,         // the account would take its own private share
    PrivateAccount,     // the taking account has a private share itself
    NoPercent           // an account is named but the percent is 0
};

struct PrivateShareResult {
    PrivateShareFields fields;
    PrivateShareRefusal refusal = PrivateShareRefusal::None;
};

// The fields for `typed` on the account `ownCode` of company `coy`; `target` is the named
// account as found (nothing when none is named or none was found).
PrivateShareResult privateShareFields(const PrivateUse& typed, const QString& ownCode, int coy,
                                      const std::optional<PrivateTarget>& target);

// The company's account with this code as a private-share target, or nothing.
std::optional<PrivateTarget> findPrivateTarget(store::Connection& connection, int coy,
                                               const QString& acctCode);

// Writes the fields into the current record of an account table being edited or inserted.
void writePrivateShare(store::Table& accounts, const PrivateShareFields& fields);

// The group as an account stores it (for showing).
PrivateUse storedPrivateUse(const store::Table& account);

// The message shown for a refusal.
QString privateShareRefusalText(PrivateShareRefusal refusal);

}  // namespace ledger
