#include "exchange/nrv_importer.h"
#include "payments/payment_records.h"
#include "store/error.h"
#include "store/format.h"

namespace exchange::nrv {

void NrvImporter::moveAccount(Made& made, const QString& acctNo, double by, qint64 number,
                              bool cheque) {
    ImportBankBalance* b = balanceIn(made, acctNo);
    if (!b) throw ImportFailure{};
    b->currBal = store::fmt::roundTo(b->currBal + by, 2);
    // The counters never go back: lines come in number order, but two files may overlap.
    qint64& counter = cheque ? b->lastChq : b->lastRefNo;
    counter = qMax(counter, number);
}

// The journal lines do not say how a payment was made; its bank row's source does ("CHEQUE",
// "EDI" or "CASH", as payment entry writes it). A payment without a bank-file row is a cheque.
payments::PayType NrvImporter::paymentTypeOf(const ImportJournalLine& l) const {
    const auto file =
        bankFile_.constFind(l.bankAcct + QLatin1Char('|') + QString::number(l.ref.toLongLong()));
    if (file != bankFile_.constEnd())
        for (const auto type : {payments::PayType::Electronic, payments::PayType::Cash})
            if (file->source == payments::bankRowSource(type)) return type;
    return payments::PayType::Cheque;
}

void NrvImporter::paymentStep(const ImportJournalLine& l, const Account& a, const QString& key,
                              Made& made) {
    store::Table& h = heads_;
    if (const std::optional<qint64> ran = madePayment(made, key)) {
        if (!h.gotoRowId(*ran)) throw ImportFailure{};
        h.edit();
        for (const auto& [field, by] :
             {std::pair{"AMOUNT", l.amount}, {"GSTAMT", l.gstAmt}, {"BUSAMT", l.busAmt}})
            h.setValue(QLatin1String(field),
                       store::fmt::roundTo(h.number(QLatin1String(field)) + by, 2));
        h.setValue(QStringLiteral("NUMLINES"), h.integer(QStringLiteral("NUMLINES")) + 1);
    } else {
        h.insert();
        const bool regular = !l.suppCode.isEmpty();
        const QString supp = regular ? l.suppCode : QString::fromLatin1(keys::kMiscSupplier);
        h.setValue(QStringLiteral("FULLCODE"), coyText_ + QLatin1Char('-') + l.bankAcct);
        h.setValue(QStringLiteral("ACCTCODE"), l.bankAcct);
        h.setValue(QStringLiteral("BANKCODE"), bankCodeOf(l.bankAcct));
        h.setValue(QStringLiteral("CHQBNKCOY"), key);
        const payments::PayType type = paymentTypeOf(l);
        // As payment entry writes them: only a cheque carries its number as CHEQUENO.
        h.setValue(QStringLiteral("CHEQUENO"),
                   type == payments::PayType::Cheque ? l.ref : QStringLiteral("0"));
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
        h.setValue(QStringLiteral("PAYTYPE"), payments::payTypeCode(type));
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

void takeBankFileFields(banking::BankRow& row, const ImportBankLine& b) {
    row.tranType = b.tranType;
    row.source = b.source;
    row.narrative = b.reason;
    row.destBank = b.destBank;
    row.destAcct = b.destAcct;
    row.sourceBank = b.sourceBank;
    row.sourceAcct = b.sourceAcct;
    row.tranRef = b.tranRef;
}

void NrvImporter::bankStep(const ImportJournalLine& l, const Account& a, qint64 ref, Made& made) {
    const QString bankCode = bankCodeOf(l.bankAcct);
    const double moved = l.tranType == QLatin1String("E") ? -l.amount : l.amount;
    const QString runKey = l.bankAcct + QLatin1Char('|') + QString::number(ref);
    if (MadeRow* ran = madeRow(made, runKey)) {
        ran->row.amount = store::fmt::roundTo(ran->row.amount + moved, 2);
        if (!ran->changed) made.rowsToWrite.push_back(runKey);
        ran->changed = true;
    } else {
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
        if (const auto file = bankFile_.constFind(runKey); file != bankFile_.constEnd())
            takeBankFileFields(row, *file);
        made.bankRows.insert(runKey, {0, row, true});
        made.rowsToWrite.push_back(runKey);
    }
    // A cheque's number counts on the cheque counter; every other number on the reference one.
    moveAccount(made, l.bankAcct, moved, ref,
                l.reason == QLatin1String("CHQ") && paymentTypeOf(l) == payments::PayType::Cheque);
}

// The bank rows a transaction made or changed, each written once when its lines are done.
void NrvImporter::writeChangedRows(Made& delta) {
    for (const QString& key : delta.rowsToWrite) {
        MadeRow& r = delta.bankRows[key];
        r.rowId = r.rowId == 0 ? banking::writeBankRow(bankWriter_, r.row)
                               : banking::writeBankRow(bankRows_, r.row, r.rowId);
        r.changed = false;
    }
    delta.rowsToWrite.clear();
}

const std::vector<const char*>& importLineFields() {
    static const std::vector<const char*> fields = {
        "TRANNUM",   "COYCODE",    "BRANCH",   "REF",      "LINKCODE",  "HASBNKACCT", "BNKLINKNO",
        "BNKTRNLNK", "LINENO",     "BANKACCT", "TRANTYPE", "GSTTYPE",   "SRCHCODE",   "ACCTCODE",
        "FULLCODE",  "TRANDATE",   "DESC",     "GSTCALC",  "ZERORATED", "REASON",     "SPLITDEST",
        "SPLITLINK", "SPLITSOURC", "CLIJOBNO", "BUSAMT",   "GSTAMT",    "HASGST",     "AMOUNT"};
    return fields;
}

// The journal line through one prepared statement: the run writes a hundred thousand of them.
void NrvImporter::writeJournalLine(const ImportJournalLine& l, const Account& a,
                                   const QString& searchCode, const QString& bnkLinkNo,
                                   const QString& bnkTrnLnk) {
    // In the order of importLineFields().
    const QVariant values[] = {
        l.tranNum,
        coyText_,
        a.ledger.branch,
        l.ref,
        a.link,
        l.hasBnkAcct,
        bnkLinkNo,
        bnkTrnLnk,
        l.lineNo,
        l.bankAcct,
        l.tranType,
        QStringLiteral("N"),
        searchCode,
        l.acctCode,
        keys::fullCodeFromLink(a.link, l.acctCode),
        l.tranDate,
        l.desc,
        0,
        l.zeroRated,
        l.reason,
        l.splitDest,
        l.splitDest.isEmpty() ? QString() : keys::splitLink(a.link, l.acctCode, l.ref),
        l.splitDest.isEmpty() ? QString() : l.splitSourc,
        l.cliJobNo,
        l.busAmt,
        l.gstAmt,
        l.gstAmt != 0.0 ? 1 : 0,
        l.amount};
    Q_ASSERT(std::size(values) == importLineFields().size());
    for (int i = 0; i < int(std::size(values)); ++i) lineWriter_.set(i, values[i]);
    lineWriter_.insert();
}

// Every check that skips the line runs before anything of it is written, so a skipped line
// needs no scope of its own.
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
        throw AlreadyThere{QStringLiteral("Transaction no.  ") + l.ref +
                           QStringLiteral(", account ") + l.acctCode + QStringLiteral(", line ") +
                           QString::number(l.lineNo) +
                           QStringLiteral(" is already in the books and was not imported again.")};
    const QString paymentKey =
        cheque ? withoutTrailingBlanks(keys::cutToWidth(keys::paymentKey(l.ref, l.bankAcct, coy_),
                                                        keys::kPaymentKeyWidth))
               : QString();
    if (cheque && !madePayment(made, paymentKey) && storedPayments_.contains(paymentKey))
        throw AlreadyThere{QStringLiteral("Cheque No.  ") + l.ref +
                           QStringLiteral(" is already in the books; its line was not imported.")};
    // A private-share line (SPLITSOURC set) carries part of its source line's amount, which
    // already moved the bank transaction.
    const bool movesBank = banked && l.splitSourc.isEmpty();
    qint64 ref = 0;
    if (movesBank) {
        bool isNumber = false;
        ref = l.ref.trimmed().toLongLong(&isNumber);
        if (!isNumber || bankCode.isEmpty()) throw ImportFailure{};
        // Each account numbers its rows from the same start: the row is found by account and
        // number, never by number over the whole company.
        if (!rowMade(made, l.bankAcct + QLatin1Char('|') + QString::number(ref)) &&
            bankRowStored(bankCode, l.bankAcct, ref))
            throw AlreadyThere{
                QStringLiteral("Bank transaction no.  ") + l.ref + QStringLiteral(" of account ") +
                l.bankAcct +
                QStringLiteral(" is already in the books; its line was not imported.")};
    }
    if (cheque) paymentStep(l, a, paymentKey, made);
    if (movesBank) bankStep(l, a, ref, made);
    writeJournalLine(l, a, searchCode, bnkLinkNo, bnkTrnLnk);
    made.lines.insert(lineKey);
}

}  // namespace exchange::nrv
