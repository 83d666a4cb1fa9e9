#include "banking/sample_company.h"

#include "banking/bank_posting.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

#include <QRandomGenerator>
#include <memory>
#include <vector>

namespace banking::sample {

namespace keys = store::keys;

void setCompany(store::Connection& c, const QString& busName, const QString& busCode,
                bool gstEnabled, double gstPercent, const QString& country)
{
    store::Table t(c, QStringLiteral("QVCntrl.DBF"));
    t.setIndexName(QStringLiteral("COYCODE"));
    t.open();
    if (t.isEmpty()) {
        t.insert();
        t.setValue(QStringLiteral("COYCODE"), 1);
    } else {
        t.edit();
    }
    t.setValue(QStringLiteral("BUSNAME"), busName);
    t.setValue(QStringLiteral("BUSCODE"), busCode);
    t.setValue(QStringLiteral("GSTENABLED"), gstEnabled ? 1 : 0);
    t.setValue(QStringLiteral("GSTPERCENT"), gstPercent);
    if (gstEnabled) t.setValue(QStringLiteral("GSTTYPE"), QStringLiteral("I"));
    t.setValue(QStringLiteral("GSTPERIOD"), 2);
    t.setValue(QStringLiteral("GSTEXCL"), 0);
    t.setValue(QStringLiteral("LASTINV"), 0);
    t.setValue(QStringLiteral("COUNTRY"), country);
    t.post();
}

void addDepartment(store::Connection& c, int coy, int branch, const QString& deptCode,
                   const QString& busCode, const QString& name)
{
    store::Table t(c, QStringLiteral("QVCoy.DBF"));
    t.open();
    t.insert();
    t.setValue(QStringLiteral("COYCODE"), coy);
    t.setValue(QStringLiteral("BRANCH"), branch);
    t.setValue(QStringLiteral("LINKCODE"), keys::linkCode(coy, branch));
    t.setValue(QStringLiteral("DEPTCODE"), deptCode.trimmed());
    t.setValue(QStringLiteral("BUSCODE"), busCode);
    t.setValue(QStringLiteral("BUSNAME"), name);
    t.setValue(QStringLiteral("GSTENABLED"), 1);
    t.post();
}

void addLedgerAccount(store::Connection& c, int coy, const LedgerSpec& s)
{
    store::Table t(c, QStringLiteral("QVAccDet.DBF"));
    t.open();
    t.insert();
    const QString code = s.code.trimmed();
    t.setValue(QStringLiteral("COYCODE"), QString::number(coy));
    t.setValue(QStringLiteral("BRANCH"), QString::number(s.branch));
    t.setValue(QStringLiteral("LINKCODE"), keys::accountLinkCode(coy, s.branch));
    t.setValue(QStringLiteral("ACCTCODE"), code);
    t.setValue(QStringLiteral("FULLCODE"), keys::accountFullCode(coy, s.branch, code));
    t.setValue(QStringLiteral("COYACCT"), s.branch == 0 ? 1 : 0);
    t.setValue(QStringLiteral("TYPECODE"), s.typeCode);
    t.setValue(QStringLiteral("RPTCAT"), !s.rptCat.isEmpty() ? s.rptCat
                                         : s.typeCode == QLatin1String("INC") ? QStringLiteral("I")
                                                                              : QStringLiteral("E"));
    t.setValue(QStringLiteral("DESCR"), s.descr);
    t.setValue(QStringLiteral("INCLPL"), s.inclPl ? 1 : 0);
    t.setValue(QStringLiteral("GSTAPPLIES"), s.gstApplies ? 1 : 0);
    t.setValue(QStringLiteral("ACTACTIVE"), 1);
    t.setValue(QStringLiteral("EXPCODE"), code);
    t.setValue(QStringLiteral("ACTRANNO"), 1);
    t.setValue(QStringLiteral("HASBUDGET"), 0);
    if (s.allocPer > 0) {
        const QString domLink = keys::journalLinkCode(keys::accountLinkCode(coy, s.domBranch), coy);
        t.setValue(QStringLiteral("DOMESTIC"), 1);
        t.setValue(QStringLiteral("ALLOCPER"), s.allocPer);
        if (!s.domAcct.isEmpty()) {
            t.setValue(QStringLiteral("DOMLINK"), domLink);
            t.setValue(QStringLiteral("DOMACCT"), s.domAcct.trimmed());
            t.setValue(QStringLiteral("DOMDEPT"), QString::number(s.domBranch));
            t.setValue(QStringLiteral("DOMFULLCOD"), keys::fullCodeFromLink(domLink, s.domAcct));
        }
    }
    t.post();
}

void addBank(store::Connection& c, const QString& bankCode, const QString& name,
             const QString& branch)
{
    store::Table t(c, QStringLiteral("QVBkHdr.DBF"));
    t.open();
    t.insert();
    t.setValue(QStringLiteral("BANKCODE"), bankCode.trimmed());
    t.setValue(QStringLiteral("NAME"), name);
    t.setValue(QStringLiteral("BRANCH"), branch);
    t.post();
}

void addBankAccount(store::Connection& c, int coy, const QString& busCode,
                    const BankAccountSpec& s)
{
    store::Table t(c, QStringLiteral("QVBnkAct.DBF"));
    t.open();
    t.insert();
    const QString bank = s.bankCode.trimmed(), acct = s.acctNo.trimmed();
    t.setValue(QStringLiteral("COYCODE"), QString::number(coy));
    t.setValue(QStringLiteral("BUSCODE"), busCode);
    t.setValue(QStringLiteral("BANKCODE"), bank);
    t.setValue(QStringLiteral("ACCTNO"), acct);
    t.setValue(QStringLiteral("BANKLINK"), keys::bankLink(coy, bank, acct));
    t.setValue(QStringLiteral("DESC"), s.desc);
    t.setValue(QStringLiteral("DEFAULT"), s.isDefault ? 1 : 0);
    t.setValue(QStringLiteral("BRALLOC"), s.deptBranch != 0 ? 1 : 0);
    t.setValue(QStringLiteral("BRANCH"), QString::number(s.deptBranch));
    t.setValue(QStringLiteral("LINKCODE"), keys::linkCode(coy, s.deptBranch));
    t.setValue(QStringLiteral("ALLOWOD"), s.allowOd ? 1 : 0);
    t.setValue(QStringLiteral("ODAMOUNT"), s.allowOd ? s.odAmount : 0.0);
    t.setValue(QStringLiteral("OPENBAL"), s.openingBalance);
    t.setValue(QStringLiteral("INITBAL"), s.openingBalance);
    t.setValue(QStringLiteral("CURRBAL"), s.openingBalance);
    t.setValue(QStringLiteral("RUNBAL"), 0.0);
    if (s.openingBalance != 0.0) {
        t.setValue(QStringLiteral("STARTDATE"), s.startDate);
        t.setValue(QStringLiteral("REC_DATE"), s.startDate);
        t.setValue(QStringLiteral("RECOK"), 1);
    }
    t.setValue(QStringLiteral("LASTREFNO"), s.lastRefNo);
    t.setValue(QStringLiteral("LASTCHQ"), 0);
    t.post();
}

namespace {

constexpr int kCoy = 1;
const char* const kBusCode = "HSC";

struct DemoAccount {
    const char* bank;
    const char* acct;
    std::vector<const char*> income;    // ledger accounts for deposits
    std::vector<const char*> expense;   // ledger accounts for withdrawals
    const char* interest;               // nullptr: no interest paid
    const char* fees;
    const char* transferTo[2];
    int weight;
};

const std::vector<DemoAccount>& demoAccounts()
{
    static const std::vector<DemoAccount> list = {
        {"030100", "0123456-00", {"SALESCAFE", "SALESCAFE", "SALESCAFE", "OTHERINC"},
         {"PURCHASES", "PURCHASES", "WAGES", "RENT", "POWER", "PHONE", "INSURANCE", "REPAIRS",
          "ADVERT", "STATIONERY", "MOTOR", "ACCFEES", "DRAWINGS"},
         "INTEREST", "BANKFEES", {"120300", "7654321-01"}, 60},
        {"120300", "7654321-01", {"OTHERINC"}, {"DRAWINGS"}, "INTEREST", "BANKFEES",
         {"030100", "0123456-00"}, 10},
        {"030100", "0123456-02", {"SALESCAT"}, {"CATFOOD", "CATFOOD", "CATHIRE"}, nullptr,
         "CATFEES", {"030100", "0123456-00"}, 30},
    };
    return list;
}

const DemoAccount& pickAccount(QRandomGenerator& rng)
{
    int roll = int(rng.bounded(100));
    for (const DemoAccount& a : demoAccounts()) {
        if (roll < a.weight) return a;
        roll -= a.weight;
    }
    return demoAccounts().front();
}

double money(QRandomGenerator& rng, int fromCents, int toCents)
{
    return double(rng.bounded(fromCents, toCents)) / 100.0;
}

const char* pick(QRandomGenerator& rng, const std::vector<const char*>& list)
{
    return list[size_t(rng.bounded(int(list.size())))];
}

}  // namespace

void makeDemoCompany(store::Connection& c, const QDate& today)
{
    store::Transaction tx(c);
    setCompany(c, QStringLiteral("Harbour Street Cafe Ltd"), QString::fromLatin1(kBusCode), true,
               15.0);
    {
        store::Table t(c, QStringLiteral("QVCntrl.DBF"));
        t.setIndexName(QStringLiteral("COYCODE"));
        t.open();
        t.edit();
        t.setValue(QStringLiteral("COYDESC"), QStringLiteral("Cafe and catering, Wellington"));
        t.setValue(QStringLiteral("ADDRESS1"), QStringLiteral("14 Harbour Street"));
        t.setValue(QStringLiteral("ADDRESS2"), QStringLiteral("Te Aro"));
        t.setValue(QStringLiteral("ADDRESS3"), QStringLiteral("Wellington 6011"));
        t.setValue(QStringLiteral("PHONENO"), QStringLiteral("04 385 2290"));
        t.setValue(QStringLiteral("SIGNAME"), QStringLiteral("Aroha Turner"));
        t.setValue(QStringLiteral("GSTNUMBER"), QStringLiteral("112-334-556"));
        t.post();
    }
    addDepartment(c, kCoy, 1, QStringLiteral("CAFE"), QString::fromLatin1(kBusCode),
                  QStringLiteral("Cafe"));
    addDepartment(c, kCoy, 2, QStringLiteral("CATER"), QString::fromLatin1(kBusCode),
                  QStringLiteral("Catering"));

    const QString inc = QStringLiteral("INC"), exp = QStringLiteral("EXP");
    const std::vector<LedgerSpec> ledger = {
        {"SALESCAFE", "Cafe sales", inc, 1, true},
        {"SALESCAT", "Catering sales", inc, 2, true},
        {"OTHERINC", "Sundry income", inc, 0, true},
        {"INTEREST", "Interest received", inc, 0, false},
        {"CAPINTRO", "Capital introduced", inc, 0, false, "O", false},
        {"PURCHASES", "Food and beverage purchases", exp, 1, true},
        {"CATFOOD", "Catering supplies", exp, 2, true},
        {"CATHIRE", "Catering equipment hire", exp, 2, true},
        {"CATFEES", "Catering account fees", exp, 2, false},
        {"WAGES", "Wages and salaries", exp, 0, false},
        {"RENT", "Rent of premises", exp, 0, true, "O"},
        {"POWER", "Electricity and gas", exp, 0, true, "O"},
        {"PHONE", "Phone and internet", exp, 0, true, "O"},
        {"INSURANCE", "Insurance", exp, 0, true, "O"},
        {"REPAIRS", "Repairs and maintenance", exp, 0, true},
        {"ADVERT", "Advertising", exp, 0, true},
        {"STATIONERY", "Printing and stationery", exp, 0, true, "O"},
        {"MOTOR", "Motor vehicle expenses", exp, 0, true, "O", true, 30, "DRAWINGS", 0},
        {"ACCFEES", "Accounting fees", exp, 0, true, "O"},
        {"BANKFEES", "Bank fees", exp, 0, false, "O"},
        {"DRAWINGS", "Owner's drawings", exp, 0, false, "O", false},
        {"GSTPAID", "GST paid to Inland Revenue", exp, 0, false, "O", false},
    };
    for (const LedgerSpec& s : ledger) addLedgerAccount(c, kCoy, s);

    addBank(c, QStringLiteral("030100"), QStringLiteral("Kauri Bank"), QStringLiteral("Lambton Quay"));
    addBank(c, QStringLiteral("120300"), QStringLiteral("Harbour Savings Bank"),
            QStringLiteral("Cuba Street"));
    const QDate start = today.addYears(-3);
    const QString code = QString::fromLatin1(kBusCode);
    addBankAccount(c, kCoy, code,
                   {"030100", "0123456-00", "Cheque account", true, 0, true, 5000.0, 12500.0, start});
    addBankAccount(c, kCoy, code,
                   {"120300", "7654321-01", "Business savings", false, 0, false, 0.0, 25000.0, start});
    addBankAccount(c, kCoy, code,
                   {"030100", "0123456-02", "Catering account", false, 2, true, 1000.0, 3000.0, start});
    tx.commit();
}

int postDemoEntries(store::Connection& c, int count, const QDate& today, quint32 seed, int batch)
{
    QRandomGenerator rng(seed);
    const Company company = readCompany(c);
    const QDate start = today.addYears(-3);
    const qint64 days = start.daysTo(today);
    int posted = 0;
    std::unique_ptr<store::Transaction> tx;
    for (int i = 0; i < count; ++i) {
        if (batch > 1 && !tx) tx = std::make_unique<store::Transaction>(c);
        const DemoAccount& account = pickAccount(rng);
        BankEntry e;
        e.coy = company.coy;
        e.bankCode = QString::fromLatin1(account.bank);
        e.acctNo = QString::fromLatin1(account.acct);
        e.date = start.addDays(1 + qint64(i) * (days - 1) / std::max(count, 1));
        const int roll = int(rng.bounded(100));
        if (roll < 46) {
            e.type = EntryType::Deposit;
            e.ledgerAccount = QString::fromLatin1(pick(rng, account.income));
            e.amount = money(rng, 5000, 260000);
            static const char* sources[] = {"EFTPOS", "EFTPOS", "Cash", "Credit Card", "Transfer"};
            e.source = QString::fromLatin1(sources[rng.bounded(5)]);
        } else if (roll < 90) {
            e.type = EntryType::Withdrawal;
            e.ledgerAccount = QString::fromLatin1(pick(rng, account.expense));
            e.amount = money(rng, 1500, 200000);
            static const char* sources[] = {"Misc", "Credit Card", "Transfer", "ATM"};
            e.source = QString::fromLatin1(sources[rng.bounded(4)]);
        } else if (roll < 94) {
            e.type = EntryType::Transfer;
            e.destBank = QString::fromLatin1(account.transferTo[0]);
            e.destAcct = QString::fromLatin1(account.transferTo[1]);
            e.amount = money(rng, 10000, 300000);
            e.narrative = QStringLiteral("Transfer to: ") + e.destBank + QLatin1Char(' ') + e.destAcct;
        } else if (roll < 97 && account.interest) {
            e.type = EntryType::Interest;
            e.ledgerAccount = QString::fromLatin1(account.interest);
            e.amount = money(rng, 100, 9000);
            e.source = QStringLiteral("INT");
            e.narrative = QStringLiteral("Interest.");
        } else {
            e.type = EntryType::Fees;
            e.ledgerAccount = QString::fromLatin1(account.fees);
            e.amount = money(rng, 100, 4500);
            e.source = QStringLiteral("FEES");
            e.narrative = QStringLiteral("Bank fees.");
        }
        if (e.type != EntryType::Transfer) {
            const auto ledger = findLedgerAccount(c, company.coy, e.ledgerAccount);
            if (!ledger)
                throw store::StoreError(QStringLiteral("Demo account %1 missing.").arg(e.ledgerAccount));
            if (e.narrative.isEmpty()) e.narrative = ledger->descr;
            e.tax = proposedTax(e.type, company, *ledger, e.amount);
        }
        e.reference = reserveReferenceNumber(c, company.coy, e.bankCode, e.acctNo);
        const SaveResult r = postBankEntry(c, e, EntryMode::Add, alwaysYes);
        if (!r.ok())
            throw store::StoreError(QStringLiteral("Demo entry %1 not posted: %2 %3")
                                        .arg(i).arg(r.message, r.detail));
        ++posted;
        if (tx && (posted % batch == 0 || i + 1 == count)) {
            tx->commit();
            tx.reset();
        }
    }
    return posted;
}

qint64 addEntryWithDetails(store::Connection& c, int coy, const QString& bankCode,
                           const QString& acctNo, EntryType type, const QDate& date,
                           const QString& narrative, const std::vector<DetailLineSpec>& lines)
{
    store::Transaction tx(c);
    const Company company = readCompany(c);
    std::vector<LedgerAccount> accounts;
    qint64 cents = 0;
    for (const DetailLineSpec& l : lines) {
        const auto a = findLedgerAccount(c, coy, l.acctCode);
        if (!a) throw store::StoreError(QStringLiteral("Account %1 missing.").arg(l.acctCode));
        accounts.push_back(*a);
        const qint64 amount = store::fmt::cents(l.amount);
        cents += (a->isIncome() == (type == EntryType::Deposit)) ? amount : -amount;
    }
    BankEntry e;
    e.coy = coy;
    e.bankCode = bankCode;
    e.acctNo = acctNo;
    e.type = type;
    e.date = date;
    e.amount = double(std::abs(cents)) / 100.0;
    e.narrative = narrative;
    e.source = QStringLiteral("DETAILS");
    e.hasDetails = true;
    e.reference = reserveReferenceNumber(c, coy, bankCode, acctNo);
    const SaveResult r = postBankEntry(c, e, EntryMode::Add, alwaysYes);
    if (!r.ok()) throw store::StoreError(r.message + QLatin1Char(' ') + r.detail);
    for (size_t i = 0; i < lines.size(); ++i) {
        EntryLine line;
        line.coy = coy;
        line.bankCode = bankCode;
        line.acctNo = acctNo;
        line.reference = e.reference;
        line.type = accounts[i].isIncome() ? EntryType::Deposit : EntryType::Withdrawal;
        line.date = date;
        line.amount = lines[i].amount;
        line.tax = proposedTax(line.type, company, accounts[i], line.amount);
        line.source = QStringLiteral("DETAILS");
        line.narrative = lines[i].narrative;
        line.account = accounts[i];
        writeEntryLine(c, LineMode::Add, line);
    }
    tx.commit();
    return e.reference;
}

}  // namespace banking::sample
