#include "exchange/import_nrv.h"

#include <algorithm>

#include "exchange/export_text.h"
#include "exchange/nrv_importer.h"
#include "store/bulkwrite.h"
#include "store/error.h"
#include "store/format.h"
#include "store/query.h"
#include "store/statement.h"

namespace exchange {
namespace nrv {
namespace {

// Imported transactions per database transaction.
constexpr int kImportBatch = 16384;

QString importRefusal(const QString& ref) {
    return QStringLiteral("Could not import transaction no.  ") + ref;
}

// Consecutive lines of one bank transaction or payment form one transaction; any other line
// stands alone.
QString importGroupKey(const ImportJournalLine& l, qsizetype index) {
    if (l.hasBnkAcct == 1 || l.reason == QLatin1String("CHQ"))
        return l.bankAcct + QLatin1Char('|') + l.ref + QLatin1Char('|') + l.reason;
    return QStringLiteral("#") + QString::number(index);
}

}  // namespace

QString importLineKey(const QString& searchCode, const QString& bnkLinkNo, qint64 lineNo,
                      const QString& acctCode) {
    const QChar sep(0x1f);
    return withoutTrailingBlanks(searchCode) + sep + withoutTrailingBlanks(bnkLinkNo) + sep +
           QString::number(lineNo) + sep + withoutTrailingBlanks(acctCode);
}

QString importRowKey(const QString& bankLink, qint64 tranNum) {
    return withoutTrailingBlanks(bankLink) + QChar(0x1f) + QString::number(tranNum);
}

void NrvImporter::openTables() {
    for (store::Table* t : {&lines_, &heads_, &details_, &bankRows_}) t->open();
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

// The company's bank accounts by number (the first of a number, as the lines name them).
void NrvImporter::loadBankAccounts() {
    store::Query q(c_);
    q.setSql(
        QStringLiteral("SELECT rowid, ACCTNO, BANKCODE, CURRBAL, LASTREFNO, LASTCHQ"
                       " FROM QVBNKACT WHERE COYCODE = :coy ORDER BY rowid"));
    q.bind(QStringLiteral("coy"), coyText_);
    for (q.open(); !q.eof(); q.next()) {
        const QString acctNo = withoutTrailingBlanks(q.value(1).toString());
        if (made_.balances.contains(acctNo)) continue;
        made_.balances.insert(acctNo, {q.value(0).toLongLong(), q.value(2).toString(), q.number(3),
                                       q.value(4).toLongLong(), q.value(5).toLongLong()});
    }
}

void NrvImporter::readBankFile(const std::vector<QStringList>& bank) {
    bankLines_.reserve(bank.size());
    for (const QStringList& fields : bank) {
        bankLines_.push_back(parseBankLine(fields, &dates_));
        if (const auto& b = bankLines_.back())
            bankFile_.insert(b->bankAcct + QLatin1Char('|') + QString::number(b->tranNum), *b);
    }
}

// A failure may leave a record half written; the next line starts from a clean table.
void NrvImporter::cancelEdits() {
    for (store::Table* t : {&lines_, &heads_, &details_, &bankRows_})
        if (t->state() != store::EditState::Browse) t->open();  // reopening drops the edit
}

void NrvImporter::keep(Made& delta) {
    for (auto it = delta.bankRows.cbegin(); it != delta.bankRows.cend(); ++it)
        made_.bankRows.insert(it.key(), it.value());
    for (auto it = delta.payments.cbegin(); it != delta.payments.cend(); ++it)
        made_.payments.insert(it.key(), it.value());
    made_.lines.unite(delta.lines);
    for (auto it = delta.balances.cbegin(); it != delta.balances.cend(); ++it) {
        made_.balances.insert(it.key(), it.value());
        balancesToWrite_.insert(it.key());
    }
}

const NrvImporter::Account& NrvImporter::account(const QString& acctCode) {
    auto it = accounts_.find(acctCode);
    if (it == accounts_.end()) {
        std::optional<Account> a;
        if (auto l = banking::findLedgerAccount(c_, coy_, acctCode))
            a = Account{*l, banking::journalLinkOf(*l, coy_)};
        it = accounts_.insert(acctCode, a);
    }
    if (!*it) throw ImportFailure{};
    return **it;
}

void NrvImporter::writeBalances() {
    for (const QString& acctNo : std::as_const(balancesToWrite_)) {
        const ImportBankBalance& b = made_.balances[acctNo];
        store::execute(c_,
                       {QStringLiteral("UPDATE QVBNKACT SET CURRBAL = :bal, LASTREFNO = :ref,"
                                       " LASTCHQ = :chq WHERE rowid = :id")},
                       {{QStringLiteral("bal"), b.currBal},
                        {QStringLiteral("ref"), b.lastRefNo},
                        {QStringLiteral("chq"), b.lastChq},
                        {QStringLiteral("id"), b.rowId}});
    }
    balancesToWrite_.clear();
}

bool NrvImporter::importJournalGroup(const std::vector<ImportJournalLine>& lines) {
    Made staged;
    bool lastWritten = false;
    try {
        store::Transaction tx(c_);
        for (const ImportJournalLine& l : lines) {
            try {
                importJournalLine(l, staged);
            } catch (const AlreadyThere& skip) {
                logLine(skip.text);  // the books hold it: nothing went wrong
            }
            lastWritten = true;
        }
        writeChangedRows(staged);
        tx.commit();
    } catch (const ImportFailure&) {
        cancelEdits();
        logLine(importRefusal(lines.front().ref));
        return false;
    } catch (const store::StoreError&) {
        cancelEdits();
        logLine(importRefusal(lines.front().ref));
        return false;
    }
    keep(staged);
    return lastWritten;
}

bool NrvImporter::importBankLine(const ImportBankLine& b) {
    const QString number = QString::number(b.tranNum);
    const QString runKey = b.bankAcct + QLatin1Char('|') + number;
    // Made from journal lines of this run, which took this line's fields when it was written.
    if (made_.bankRows.contains(runKey)) return true;
    try {
        const QString bankCode = bankCodeOf(b.bankAcct);
        if (bankCode.isEmpty()) throw ImportFailure{};
        if (bankRowStored(bankCode, b.bankAcct, b.tranNum)) {
            logLine(QStringLiteral("Bank transaction no.  ") + number +
                    QStringLiteral(" of account ") + b.bankAcct +
                    QStringLiteral(" is already in the books and was not imported again."));
            return true;
        }
        Made staged;
        store::Transaction tx(c_);
        banking::BankRow row;
        row.coy = coy_;
        row.bankCode = bankCode;
        row.acctNo = b.bankAcct;
        row.tranNum = b.tranNum;
        row.date = b.tranDate;
        row.amount = b.amount;
        row.linkCode = coyText_;
        row.fullCode = QStringLiteral(" ");
        row.fullLink = keys::transferFullLink(bankCode, b.bankAcct, coy_);
        takeBankFileFields(row, b);
        row.tranType = QStringLiteral("TR");
        row.bnkTrnLnk = keys::bankEntryKey(bankCode, b.bankAcct, number);
        const qint64 id = banking::writeBankRow(bankWriter_, row);
        moveAccount(staged, b.bankAcct, b.tranType == QLatin1String("E") ? -b.amount : b.amount,
                    b.tranNum, b.reason == QLatin1String("CHQ"));
        tx.commit();
        staged.bankRows.insert(runKey, {id, row, false});
        keep(staged);
        return true;
    } catch (const ImportFailure&) {
    } catch (const store::StoreError&) {
    }
    cancelEdits();
    logLine(importRefusal(number));
    return false;
}

ImportOutcome NrvImporter::run(const std::vector<QStringList>* journal,
                               const std::vector<QStringList>* bank,
                               const ImportProgress& progress) {
    // A bigger page cache, so the indexes a batch grows stay in memory until its commit writes
    // each changed page once; savepoint journals in memory; the log copied in at the end.
    store::BulkRunScope bulk(c_);
    openTables();
    loadStoredKeys();
    loadBankAccounts();
    if (bank) readBankFile(*bank);
    batch_ = std::make_unique<store::Transaction>(c_);
    runAll(journal, bank, progress);
    commitBatch();  // also after a cancel: what was imported stays
    bulk.checkpoint();
    return out_;
}

// The balances moved in the batch are written inside it, so a crash keeps rows and balances
// together.
void NrvImporter::commitBatch() {
    writeBalances();
    batch_->commit();
    batch_.reset();
    sinceCommit_ = 0;
}

void NrvImporter::nextBatchStep() {
    // Each commit writes every index page the batch touched: the fewer commits, the fewer times
    // the same page is written.
    if (++sinceCommit_ < kImportBatch) return;
    commitBatch();
    batch_ = std::make_unique<store::Transaction>(c_);
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
            const auto line = parseJournalLine(fields, &dates_);
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
        for (size_t i = 0; i < bank->size(); ++i) {
            if (const auto& line = bankLines_[i]) {
                out_.lastImported = importBankLine(*line);
            } else {
                logLine(importRefusal((*bank)[i].value(12)));
                out_.lastImported = false;
            }
            if (!goOn(1)) return out_;
        }
    }
    out_.finished = true;
    return out_;
}

}  // namespace nrv

std::optional<banking::Confirmation> importFiledPeriodQuestion(
    store::Connection& c, int coy, const std::vector<QStringList>* journal,
    const std::vector<QStringList>* bank) {
    // Each distinct date text is read once; a large file holds few distinct dates.
    QSet<QString> texts;
    for (const auto& [records, field] : {std::pair{journal, 14}, {bank, 11}})
        if (records)
            for (const QStringList& r : *records) texts.insert(r.value(field));
    std::vector<QDate> dates;
    for (const QString& t : std::as_const(texts))
        if (const QDate d = store::fmt::parseShortDate(t); d.isValid()) dates.push_back(d);
    std::sort(dates.begin(), dates.end());
    for (const QDate& d : dates)
        if (auto q = banking::filedPeriodQuestion(c, coy, d)) return q;
    return std::nullopt;
}

ImportOutcome importNrvFiles(store::Connection& c, int coy, const std::vector<QStringList>* journal,
                             const std::vector<QStringList>* bank, const banking::Confirm& confirm,
                             const ImportProgress& progress) {
    if (const auto q = importFiledPeriodQuestion(c, coy, journal, bank); q && !confirm(*q)) {
        ImportOutcome declined;
        declined.declined = true;
        return declined;
    }
    return nrv::NrvImporter(c, coy).run(journal, bank, progress);
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
