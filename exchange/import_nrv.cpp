#include "exchange/import_nrv.h"

#include <QHash>
#include <QSet>

#include "banking/bank_entry_steps.h"
#include "banking/journal_rules.h"
#include "exchange/export_text.h"
#include "exchange/import_records.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace exchange {
namespace keys = store::keys;
namespace {

// A line that cannot be imported: its transaction is rolled back and the text logged.
struct NrvImportFailure {
    QString text;
};

// A line that is already in the books: skipped and logged, the rest of its transaction goes on.
struct NrvAlreadyThere {
    QString text;
};

QString importRefusal(const QString& ref) {
    return QStringLiteral("Could not import transaction no.  ") + ref;
}

QString importLineKey(const QString& searchCode, const QString& bnkLinkNo, qint64 lineNo,
                      const QString& acctCode) {
    const QChar sep(0x1f);
    return withoutTrailingBlanks(searchCode) + sep + withoutTrailingBlanks(bnkLinkNo) + sep +
           QString::number(lineNo) + sep + withoutTrailingBlanks(acctCode);
}

QString importRowKey(const QString& bankLink, qint64 tranNum) {
    return withoutTrailingBlanks(bankLink) + QChar(0x1f) + QString::number(tranNum);
}

class NrvImporter {
public:
    NrvImporter(store::Connection& c, int coy)
        : c_(c),
          coy_(coy),
          coyText_(QString::number(coy)),
          lines_(c, QStringLiteral("QVActTr.DBF")),
          heads_(c, QStringLiteral("QVChHdr.DBF")),
          details_(c, QStringLiteral("QVChqDet.DBF")),
          banks_(c, QStringLiteral("QVBnkAct.DBF")),
          bankRows_(c, QStringLiteral("QVBnkTr.DBF")) {}

    ImportOutcome run(const std::vector<QStringList>* journal, const std::vector<QStringList>* bank,
                      const ImportProgress& progress);

private:
    ImportOutcome runAll(const std::vector<QStringList>* journal,
                         const std::vector<QStringList>* bank, const ImportProgress& progress);
    void nextBatchStep();
    std::unique_ptr<store::Transaction> batch_;
    int sinceCommit_ = 0;

private:
    struct Account {
        banking::LedgerAccount ledger;
        QString link;  // the link code journal lines carry
    };
    struct MadeRow {
        qint64 rowId = 0;
        banking::BankRow row;
    };
    // What this run wrote, by key. A transaction collects its own in a small delta, kept once
    // it commits (copying the whole run's record per transaction would grow with the run).
    struct Made {
        QHash<QString, MadeRow> bankRows;  // account number + "|" + number
        QHash<QString, qint64> payments;   // CHQBNKCOY -> row id
        QSet<QString> lines;               // journal lines written, as importLineKey gives them
    };

    // A row or payment this run made, looked up in the transaction's delta, then in the run's
    // record (a row found there is copied into the delta to be changed).
    MadeRow* madeRow(Made& delta, const QString& key) {
        auto it = delta.bankRows.find(key);
        if (it != delta.bankRows.end()) return &*it;
        const auto done = made_.bankRows.constFind(key);
        return done == made_.bankRows.constEnd() ? nullptr : &*delta.bankRows.insert(key, *done);
    }
    std::optional<qint64> madePayment(const Made& delta, const QString& key) const {
        if (const auto it = delta.payments.constFind(key); it != delta.payments.constEnd())
            return *it;
        if (const auto it = made_.payments.constFind(key); it != made_.payments.constEnd())
            return *it;
        return std::nullopt;
    }
    void openTables();
    void loadStoredKeys();
    void cancelEdits();
    bool importJournalGroup(const std::vector<ImportJournalLine>& lines);
    void importJournalLine(const ImportJournalLine& l, Made& made);
    bool importBankLine(const ImportBankLine& b);

    const Account& account(const QString& acctCode);
    QString bankCodeOf(const QString& acctNo);
    bool journalLineExists(const Made& made, const QString& lineKey) const {
        return storedLines_.contains(lineKey) || made.lines.contains(lineKey) ||
               made_.lines.contains(lineKey);
    }
    bool bankRowStored(const QString& bankCode, const QString& acctNo, qint64 ref) const {
        return storedRows_.contains(importRowKey(keys::bankRowLink(coy_, bankCode, acctNo), ref));
    }
    void paymentStep(const ImportJournalLine& l, const Account& a, Made& made);
    void bankStep(const ImportJournalLine& l, const Account& a, qint64 ref, Made& made);
    void moveAccount(const QString& bankCode, const QString& acctNo, double by, qint64 number,
                     bool cheque);
    void writeJournalLine(const ImportJournalLine& l, const Account& a, const QString& searchCode,
                          const QString& bnkLinkNo, const QString& bnkTrnLnk);
    void logLine(const QString& text) {
        out_.log << text;
        ++out_.errors;
    }

    store::Connection& c_;
    int coy_;
    QString coyText_;
    ImportOutcome out_;
    Made made_;
    QHash<QString, std::optional<Account>> accounts_;
    QHash<QString, QString> bankCodes_;
    // Open for the whole run; the keys already in the books are read once at its start, and
    // what the run writes is kept in made_.
    store::Table lines_, heads_, details_, banks_, bankRows_;
    QSet<QString> storedLines_;     // importLineKey of this company's journal lines
    QSet<QString> storedRows_;      // importRowKey of the bank rows
    QSet<QString> storedPayments_;  // CHQBNKCOY of the payments
};

void NrvImporter::openTables() {
    for (store::Table* t : {&lines_, &heads_, &details_, &bankRows_}) t->open();
    banks_.setIndexName(QStringLiteral("BANKLINK"));
    banks_.open();
}

void NrvImporter::loadStoredKeys() {
    store::Query q(c_);
    q.setSql(QStringLiteral(
        "SELECT SRCHCODE, BNKLINKNO, LINENO, ACCTCODE FROM QVACTTR WHERE COYCODE = :coy"));
    q.bind(QStringLiteral("coy"), coyText_);
    for (q.open(); !q.eof(); q.next())
        storedLines_.insert(importLineKey(q.value(0).toString(), q.value(1).toString(),
                                          q.value(2).toLongLong(), q.value(3).toString()));
    store::Query r(c_);
    r.setSql(QStringLiteral("SELECT BANKLINK, TRANNUM FROM QVBNKTR"));
    for (r.open(); !r.eof(); r.next())
        storedRows_.insert(importRowKey(r.value(0).toString(), r.value(1).toLongLong()));
    store::Query p(c_);
    p.setSql(QStringLiteral("SELECT CHQBNKCOY FROM QVCHHDR"));
    for (p.open(); !p.eof(); p.next()) storedPayments_.insert(p.value(0).toString());
}

// A failure may leave a record half written; the next line starts from a clean table.
void NrvImporter::cancelEdits() {
    for (store::Table* t : {&lines_, &heads_, &details_, &banks_, &bankRows_})
        if (t->state() != store::EditState::Browse) t->open();  // reopening drops the edit
}

const NrvImporter::Account& NrvImporter::account(const QString& acctCode) {
    auto it = accounts_.find(acctCode);
    if (it == accounts_.end()) {
        std::optional<Account> a;
        if (auto l = banking::findLedgerAccount(c_, coy_, acctCode))
            a = Account{*l, banking::journalLinkOf(*l, coy_)};
        it = accounts_.insert(acctCode, a);
    }
    if (!*it) throw NrvImportFailure{};
    return **it;
}

QString NrvImporter::bankCodeOf(const QString& acctNo) {
    auto it = bankCodes_.find(acctNo);
    if (it != bankCodes_.end()) return *it;
    store::Query q(c_);
    q.setSql(
        QStringLiteral("SELECT BANKCODE FROM QVBNKACT WHERE COYCODE = :coy AND ACCTNO = :acct"
                       " ORDER BY rowid LIMIT 1"));
    q.bind(QStringLiteral("coy"), coyText_);
    q.bind(QStringLiteral("acct"), acctNo);
    q.open();
    const QString code = q.eof() ? QString() : q.text(QStringLiteral("BANKCODE"));
    bankCodes_.insert(acctNo, code);
    return code;
}

void NrvImporter::moveAccount(const QString& bankCode, const QString& acctNo, double by,
                              qint64 number, bool cheque) {
    store::Table& t = banks_;
    if (!t.findKey(keys::bankAccountLink(coy_, bankCode, acctNo))) throw NrvImportFailure{};
    t.edit();
    t.setValue(QStringLiteral("CURRBAL"),
               store::fmt::roundTo(t.number(QStringLiteral("CURRBAL")) + by, 2));
    // The counters never go back: lines come in number order, but two files may overlap.
    const QString counter = cheque ? QStringLiteral("LASTCHQ") : QStringLiteral("LASTREFNO");
    t.setValue(counter, qMax(t.integer(counter), number));
    t.post();
}

void NrvImporter::paymentStep(const ImportJournalLine& l, const Account& a, Made& made) {
    const QString key =
        keys::cutToWidth(keys::paymentKey(l.ref, l.bankAcct, coy_), keys::kPaymentKeyWidth);
    const QString bankCode = bankCodeOf(l.bankAcct);
    store::Table& h = heads_;
    const std::optional<qint64> ran = madePayment(made, key);
    if (ran) {
        if (!h.gotoRowId(*ran)) throw NrvImportFailure{};
        h.edit();
        for (const auto& [field, by] :
             {std::pair{"AMOUNT", l.amount}, {"GSTAMT", l.gstAmt}, {"BUSAMT", l.busAmt}})
            h.setValue(QLatin1String(field),
                       store::fmt::roundTo(h.number(QLatin1String(field)) + by, 2));
        h.setValue(QStringLiteral("NUMLINES"), h.integer(QStringLiteral("NUMLINES")) + 1);
    } else {
        if (storedPayments_.contains(withoutTrailingBlanks(key)))
            throw NrvAlreadyThere{
                QStringLiteral("Cheque No.  ") + l.ref +
                QStringLiteral(" is already in the books; its line was not imported.")};
        h.insert();
        const bool regular = !l.suppCode.isEmpty();
        const QString supp = regular ? l.suppCode : QString::fromLatin1(keys::kMiscSupplier);
        h.setValue(QStringLiteral("FULLCODE"), coyText_ + QLatin1Char('-') + l.bankAcct);
        h.setValue(QStringLiteral("ACCTCODE"), l.bankAcct);
        h.setValue(QStringLiteral("BANKCODE"), bankCode);
        h.setValue(QStringLiteral("CHQBNKCOY"), key);
        h.setValue(QStringLiteral("CHEQUENO"), l.ref);
        h.setValue(QStringLiteral("SUPPCOY"), keys::paymentSupplierCoy(coy_, l.suppCode));
        h.setValue(QStringLiteral("SUPPTYPE"),
                   regular ? QStringLiteral("REG") : QStringLiteral("MISC"));
        h.setValue(QStringLiteral("CHQSUPLNK"), keys::paymentSupplierKey(l.ref, supp, coy_));
        h.setValue(QStringLiteral("SUPPLIER"), l.suppCode);
        h.setValue(QStringLiteral("CLIREFUND"), l.clientCode.isEmpty() ? 0 : 1);
        h.setValue(QStringLiteral("CLICODE"), l.clientCode);
        h.setValue(QStringLiteral("COYCODE"), coyText_);
        h.setValue(QStringLiteral("AMOUNT"), l.amount);
        h.setValue(QStringLiteral("GSTAMT"), l.gstAmt);
        h.setValue(QStringLiteral("BUSAMT"), l.busAmt);
        h.setValue(QStringLiteral("GSTCALC"), 0);
        h.setValue(QStringLiteral("TRANNUM"), l.ref.toLongLong());
        h.setValue(QStringLiteral("CONFIRMED"), 0);
        h.setValue(QStringLiteral("CHQDATE"), l.tranDate);
        // The number of lines written, so payment entry numbers later lines after them.
        h.setValue(QStringLiteral("NUMLINES"), 1);
        h.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("CHQ"));
        h.setValue(QStringLiteral("PAYTYPE"), QStringLiteral("CHQ"));
    }
    h.post();
    made.payments.insert(key, h.rowId());

    store::Table& d = details_;
    d.insert();
    d.setValue(QStringLiteral("COYCODE"), coy_);
    d.setValue(QStringLiteral("LINKCODE"), a.link);
    d.setValue(QStringLiteral("GSTCALC"), 0);
    d.setValue(QStringLiteral("CHEQUENO"), l.ref);
    d.setValue(QStringLiteral("LINENO"), l.lineNo);
    d.setValue(QStringLiteral("CHQBNKCOY"), key);
    const QString who = !l.suppCode.isEmpty() ? l.suppCode : l.clientCode;
    if (!who.isEmpty()) {
        d.setValue(QStringLiteral("SUPPCOY"), keys::paymentSupplierCoy(coy_, who));
        d.setValue(QStringLiteral("SUPPCODE"), who);
        d.setValue(QStringLiteral("CHQSUPLNK"), keys::paymentSupplierKey(l.ref, who, coy_));
    }
    d.setValue(QStringLiteral("BANKACCT"), l.bankAcct);
    d.setValue(QStringLiteral("ACCTNO"), l.acctCode);
    d.setValue(QStringLiteral("CHQDATE"), l.tranDate);
    d.setValue(QStringLiteral("NARRATIVE"), l.desc);
    d.setValue(QStringLiteral("DOM_AMT"),
               store::fmt::sameMoney(l.amount, l.busAmt) ? 0.0 : l.amount - l.busAmt);
    d.setValue(QStringLiteral("BUS_AMT"), l.busAmt);
    d.setValue(QStringLiteral("TOT_AMT"), l.amount);
    d.setValue(QStringLiteral("GSTAMT"), l.gstAmt);
    d.setValue(QStringLiteral("HASGST"), l.gstAmt != 0.0 ? 1 : 0);
    d.setValue(QStringLiteral("STATUS"), QStringLiteral("P"));
    d.post();
}

// The bank row of a journal line by REASON: TRANTYPE, SOURCE and the sign of its amount.
struct ImportRowKind {
    QString tranType, source;
    double sign = 0;  // 0: no amount
};
ImportRowKind importRowKindOf(const ImportJournalLine& l) {
    const QString& r = l.reason;
    const bool expense = l.tranType == QLatin1String("E");
    if (r == QLatin1String("CHQ")) return {QStringLiteral("CHQ"), QStringLiteral("CHEQUE"), -1};
    if (r == QLatin1String("CSH"))
        return {{}, QStringLiteral("DETAILS"), l.tranType == QLatin1String("I") ? 1.0 : -1.0};
    if (r == QLatin1String("FEES")) return {QStringLiteral("FEES"), QStringLiteral("FEES"), -1};
    if (r == QLatin1String("AP"))
        return expense ? ImportRowKind{QStringLiteral("WD"), QStringLiteral("AP"), -1}
                       : ImportRowKind{QStringLiteral("DEP"), QStringLiteral("AP"), 1};
    if (r == QLatin1String("WD")) return {QStringLiteral("WD"), QStringLiteral("Misc"), -1};
    if (r == QLatin1String("DEP")) return {QStringLiteral("DEP"), QStringLiteral("Misc"), 1};
    if (r == QLatin1String("INT")) return {QStringLiteral("INT"), QStringLiteral("INT"), 1};
    return {};
}

void NrvImporter::bankStep(const ImportJournalLine& l, const Account& a, qint64 ref, Made& made) {
    const QString bankCode = bankCodeOf(l.bankAcct);
    if (bankCode.isEmpty()) throw NrvImportFailure{};
    const double moved = l.tranType == QLatin1String("E") ? -l.amount : l.amount;
    const QString runKey = l.bankAcct + QLatin1Char('|') + QString::number(ref);
    if (MadeRow* ran = madeRow(made, runKey)) {
        ran->row.amount = store::fmt::roundTo(ran->row.amount + moved, 2);
        banking::writeBankRow(bankRows_, ran->row, ran->rowId);
    } else {
        // Each account numbers its rows from the same start: the row is found by account and
        // number, never by number over the whole company.
        if (bankRowStored(bankCode, l.bankAcct, ref))
            throw NrvAlreadyThere{
                QStringLiteral("Bank transaction no.  ") + l.ref + QStringLiteral(" of account ") +
                l.bankAcct +
                QStringLiteral(" is already in the books; its line was not imported.")};
        const ImportRowKind kind = importRowKindOf(l);
        banking::BankRow row;
        row.coy = coy_;
        row.bankCode = bankCode;
        row.acctNo = l.bankAcct;
        row.tranNum = ref;
        row.date = l.tranDate;
        row.tranType = kind.tranType;
        // A reason without its own sign moves the row as it moves the account.
        row.amount = kind.sign != 0 ? kind.sign * l.amount : moved;
        row.branch = a.ledger.branch;
        row.linkCode = a.link;
        const bool cash = l.reason == QLatin1String("CSH");
        row.fullCode = cash ? QStringLiteral(" ") : keys::fullCodeFromLink(a.link, l.acctCode);
        row.details = cash;
        row.purpose = l.acctCode;
        row.fullLink = keys::fullLink(bankCode, l.bankAcct, a.link);
        row.narrative = l.desc;
        row.source = kind.source;
        row.bnkTrnLnk = keys::bankEntryKey(bankCode, l.bankAcct, l.ref);
        made.bankRows.insert(runKey, {banking::writeBankRow(bankRows_, row), row});
    }
    moveAccount(bankCode, l.bankAcct, moved, ref, l.reason == QLatin1String("CHQ"));
}

void NrvImporter::writeJournalLine(const ImportJournalLine& l, const Account& a,
                                   const QString& searchCode, const QString& bnkLinkNo,
                                   const QString& bnkTrnLnk) {
    store::Table& t = lines_;
    t.insert();
    const std::pair<const char*, QVariant> values[] = {
        {"TRANNUM", l.tranNum},
        {"COYCODE", coyText_},
        {"BRANCH", a.ledger.branch},
        {"REF", l.ref},
        {"LINKCODE", a.link},
        {"HASBNKACCT", l.hasBnkAcct},
        {"BNKLINKNO", bnkLinkNo},
        {"BNKTRNLNK", bnkTrnLnk},
        {"LINENO", l.lineNo},
        {"BANKACCT", l.bankAcct},
        {"TRANTYPE", l.tranType},
        {"GSTTYPE", QStringLiteral("N")},
        {"SRCHCODE", searchCode},
        {"ACCTCODE", l.acctCode},
        {"FULLCODE", keys::fullCodeFromLink(a.link, l.acctCode)},
        {"TRANDATE", l.tranDate},
        {"DESC", l.desc},
        {"GSTCALC", 0},
        {"ZERORATED", l.zeroRated},
        {"REASON", l.reason},
        {"SPLITDEST", l.splitDest},
        {"SPLITLINK",
         l.splitDest.isEmpty() ? QString() : keys::splitLink(a.link, l.acctCode, l.ref)},
        {"SPLITSOURC", l.splitDest.isEmpty() ? QString() : l.splitSourc},
        {"CLIJOBNO", l.cliJobNo},
        {"SUPPCODE", l.suppCode},
        {"CLIENTCODE", l.clientCode},
        {"BUSAMT", l.busAmt},
        {"GSTAMT", l.gstAmt},
        {"HASGST", l.gstAmt != 0.0 ? 1 : 0},
        {"AMOUNT", l.amount}};
    for (const auto& [field, value] : values) t.setValue(QLatin1String(field), value);
    t.post();
}

void NrvImporter::importJournalLine(const ImportJournalLine& l, Made& made) {
    const Account& a = account(l.acctCode);
    const bool cheque = l.reason == QLatin1String("CHQ");
    const bool banked = l.hasBnkAcct == 1;
    const QString bankCode = banked || cheque ? bankCodeOf(l.bankAcct) : QString();
    QString searchCode = cheque ? keys::paymentLineSearchCode(a.link, l.acctCode, l.ref, l.lineNo)
                                : keys::journalSearchCode(a.link, l.acctCode, l.ref);
    if (!banked && l.reason == QLatin1String("CSH"))
        searchCode = keys::cashSearchCode(l.acctCode, l.ref, coy_);
    const QString bnkLinkNo = banked ? keys::bnkLinkNo(bankCode, l.bankAcct, l.ref)
                                     : QString::fromLatin1(keys::kNoBankEntry);
    // A cash transaction's line keeps no bank entry key, as the cash window writes it.
    const QString bnkTrnLnk = banked ? keys::journalBankEntryKey(bankCode, l.bankAcct, l.ref, coy_)
                              : l.reason == QLatin1String("CSH")
                                  ? QString()
                                  : QString::fromLatin1(keys::kNoBankEntry);
    const QString lineKey =
        importLineKey(keys::cutToWidth(searchCode, keys::kSearchCodeWidth),
                      keys::cutToWidth(bnkLinkNo, keys::kBnkLinkNoWidth), l.lineNo, l.acctCode);
    if (journalLineExists(made, lineKey))
        throw NrvAlreadyThere{
            QStringLiteral("Transaction no.  ") + l.ref + QStringLiteral(", account ") +
            l.acctCode + QStringLiteral(", line ") + QString::number(l.lineNo) +
            QStringLiteral(" is already in the books and was not imported again.")};
    if (cheque) paymentStep(l, a, made);
    // A private-share line (SPLITSOURC set) carries part of its source line's amount, which
    // already moved the bank transaction.
    if (banked && l.splitSourc.isEmpty()) {
        bool isNumber = false;
        const qint64 ref = l.ref.trimmed().toLongLong(&isNumber);
        if (!isNumber) throw NrvImportFailure{};
        bankStep(l, a, ref, made);
    }
    writeJournalLine(l, a, searchCode, bnkLinkNo, bnkTrnLnk);
    made.lines.insert(lineKey);
}

bool NrvImporter::importJournalGroup(const std::vector<ImportJournalLine>& lines) {
    Made staged;
    bool lastWritten = false;
    try {
        store::Transaction tx(c_);
        for (const ImportJournalLine& l : lines) {
            // A skipped line rolls back only what it began; the rest of its transaction goes on.
            store::Transaction lineTx(c_);
            Made lineMade = staged;
            try {
                importJournalLine(l, lineMade);
                lineTx.commit();
                staged = std::move(lineMade);
                lastWritten = true;
            } catch (const NrvAlreadyThere& skip) {
                cancelEdits();
                logLine(skip.text);
                lastWritten = true;  // the books hold it: nothing went wrong
            }
        }
        tx.commit();
    } catch (const NrvImportFailure&) {
        cancelEdits();
        logLine(importRefusal(lines.front().ref));
        return false;
    } catch (const store::StoreError&) {
        cancelEdits();
        logLine(importRefusal(lines.front().ref));
        return false;
    }
    for (auto it = staged.bankRows.cbegin(); it != staged.bankRows.cend(); ++it)
        made_.bankRows.insert(it.key(), it.value());
    for (auto it = staged.payments.cbegin(); it != staged.payments.cend(); ++it)
        made_.payments.insert(it.key(), it.value());
    made_.lines.unite(staged.lines);
    return lastWritten;
}

bool NrvImporter::importBankLine(const ImportBankLine& b) {
    const QString number = QString::number(b.tranNum);
    try {
        const QString bankCode = bankCodeOf(b.bankAcct);
        if (bankCode.isEmpty()) throw NrvImportFailure{};
        store::Transaction tx(c_);
        auto ran = made_.bankRows.find(b.bankAcct + QLatin1Char('|') + number);
        if (ran != made_.bankRows.end()) {
            // Made from the journal lines of this run: the bank file adds what the lines could
            // not say (its kind, source and narrative); its amount came from the lines.
            banking::BankRow row = ran->row;
            row.tranType = b.tranType;
            row.source = b.source;
            row.narrative = b.reason;
            row.destBank = b.destBank;
            row.destAcct = b.destAcct;
            row.sourceBank = b.sourceBank;
            row.sourceAcct = b.sourceAcct;
            row.tranRef = b.tranRef;
            banking::writeBankRow(bankRows_, row, ran->rowId);
            tx.commit();
            ran->row = row;
            return true;
        }
        if (bankRowStored(bankCode, b.bankAcct, b.tranNum)) {
            logLine(QStringLiteral("Bank transaction no.  ") + number +
                    QStringLiteral(" of account ") + b.bankAcct +
                    QStringLiteral(" is already in the books and was not imported again."));
            return true;
        }
        banking::BankRow row;
        row.coy = coy_;
        row.bankCode = bankCode;
        row.acctNo = b.bankAcct;
        row.tranNum = b.tranNum;
        row.date = b.tranDate;
        row.tranType = QStringLiteral("TR");
        row.amount = b.amount;
        row.linkCode = coyText_;
        row.fullCode = QStringLiteral(" ");
        row.fullLink = keys::transferFullLink(bankCode, b.bankAcct, coy_);
        row.narrative = b.reason;
        row.source = b.source;
        row.destBank = b.destBank;
        row.destAcct = b.destAcct;
        row.sourceBank = b.sourceBank;
        row.sourceAcct = b.sourceAcct;
        row.bnkTrnLnk = keys::bankEntryKey(bankCode, b.bankAcct, number);
        const qint64 id = banking::writeBankRow(bankRows_, row);
        moveAccount(bankCode, b.bankAcct, b.tranType == QLatin1String("E") ? -b.amount : b.amount,
                    b.tranNum, b.reason == QLatin1String("CHQ"));
        tx.commit();
        made_.bankRows.insert(b.bankAcct + QLatin1Char('|') + number, {id, row});
        return true;
    } catch (const NrvImportFailure&) {
    } catch (const store::StoreError&) {
    }
    cancelEdits();
    logLine(importRefusal(number));
    return false;
}

// Consecutive lines of one bank transaction or payment form one transaction; any other line
// stands alone.
QString importGroupKey(const ImportJournalLine& l, qsizetype index) {
    if (l.hasBnkAcct == 1 || l.reason == QLatin1String("CHQ"))
        return l.bankAcct + QLatin1Char('|') + l.ref + QLatin1Char('|') + l.reason;
    return QStringLiteral("#") + QString::number(index);
}

ImportOutcome NrvImporter::run(const std::vector<QStringList>* journal,
                               const std::vector<QStringList>* bank,
                               const ImportProgress& progress) {
    // Each imported transaction is a nested scope of a batch committed every few hundred
    // transactions: a failure still undoes only its own transaction, and the disk is synced once
    // per batch instead of once per transaction. A store failure undoes the open batch.
    openTables();
    loadStoredKeys();
    batch_ = std::make_unique<store::Transaction>(c_);
    ImportOutcome out = runAll(journal, bank, progress);
    batch_->commit();
    batch_.reset();
    return out;
}

void NrvImporter::nextBatchStep() {
    if (++sinceCommit_ < 256) return;
    batch_->commit();
    batch_.reset();
    batch_ = std::make_unique<store::Transaction>(c_);
    sinceCommit_ = 0;
}

ImportOutcome NrvImporter::runAll(const std::vector<QStringList>* journal,
                                  const std::vector<QStringList>* bank,
                                  const ImportProgress& progress) {
    const qint64 total = qint64(journal ? journal->size() : 0) + qint64(bank ? bank->size() : 0);
    qint64 done = 0;
    auto goOn = [&](qint64 n) {
        nextBatchStep();
        return !progress || progress(done += n, total);
    };
    if (journal) {
        std::vector<ImportJournalLine> group;
        QString key;
        auto flush = [&] {
            if (group.empty()) return true;
            out_.lastImported = importJournalGroup(group);
            const qint64 n = qint64(group.size());
            group.clear();
            return goOn(n);
        };
        for (qsizetype i = 0; i < qsizetype(journal->size()); ++i) {
            const QStringList& fields = (*journal)[size_t(i)];
            const auto line = parseJournalLine(fields);
            const QString k = line ? importGroupKey(*line, i) : QString();
            if ((!line || k != key) && !flush()) return out_;
            if (!line) {
                logLine(importRefusal(fields.value(1)));
                out_.lastImported = false;
                if (!goOn(1)) return out_;
                continue;
            }
            key = k;
            group.push_back(*line);
        }
        if (!flush()) return out_;
    }
    if (bank) {
        for (const QStringList& fields : *bank) {
            const auto line = parseBankLine(fields);
            if (line) {
                out_.lastImported = importBankLine(*line);
            } else {
                logLine(importRefusal(fields.value(12)));
                out_.lastImported = false;
            }
            if (!goOn(1)) return out_;
        }
    }
    out_.finished = true;
    return out_;
}

}  // namespace

ImportOutcome importNrvFiles(store::Connection& c, int coy, const std::vector<QStringList>* journal,
                             const std::vector<QStringList>* bank, const ImportProgress& progress) {
    return NrvImporter(c, coy).run(journal, bank, progress);
}

QString importMessage(const ImportOutcome& o) {
    if (o.finished && o.lastImported)
        return QStringLiteral("Import succeeded. There were  ") + QString::number(o.errors) +
               QStringLiteral(" errors.");
    return QStringLiteral("Import failed.");
}

bool writeImportErrors(const QString& path, const ImportOutcome& o) {
    ExportFile file(path);
    for (const QString& line : o.log) file.line(oneLine(line));
    file.line(QStringLiteral("Total errors. ") + QString::number(o.errors));
    return file.commit();
}

}  // namespace exchange
