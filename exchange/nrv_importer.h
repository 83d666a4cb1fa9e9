#pragma once
// The importer behind importNrvFiles: what one run keeps (keys already in the books, what it
// wrote, the bank accounts it moves) and its steps. Shared by import_nrv.cpp, which runs the
// files through it in batches, and import_nrv_steps.cpp, which writes one journal line with its
// payment and bank row.
#include <QHash>
#include <QSet>
#include <memory>
#include <optional>
#include <vector>

#include "banking/bank_entry_steps.h"
#include "banking/journal_rules.h"
#include "exchange/import_nrv.h"
#include "exchange/import_records.h"
#include "payments/payment_records.h"
#include "store/bulkwrite.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

namespace exchange::nrv {
namespace keys = store::keys;

// A line that cannot be imported: its transaction is rolled back and the text logged.
struct ImportFailure {
    QString text;
};

// A line that is already in the books: skipped and logged, the rest of its transaction goes on.
struct AlreadyThere {
    QString text;
};

// The keys a run compares with what the books hold.
QString importLineKey(const QString& searchCode, const QString& bnkLinkNo, qint64 lineNo,
                      const QString& acctCode);
QString importRowKey(const QString& bankLink, qint64 tranNum);
// What the bank file says of a row that its journal lines cannot: kind, source, narrative and
// a transfer's other account.
void takeBankFileFields(banking::BankRow& row, const ImportBankLine& b);

// A bank account as the run moves it: its balance and counters are kept here and written back
// once per batch, not once per imported line.
struct ImportBankBalance {
    qint64 rowId = 0;
    QString bankCode;
    double currBal = 0;
    qint64 lastRefNo = 0, lastChq = 0;
};

// The journal line fields the import writes, in the order writeJournalLine gives them.
const std::vector<const char*>& importLineFields();

class NrvImporter {
public:
    NrvImporter(store::Connection& c, int coy)
        : c_(c),
          coy_(coy),
          coyText_(QString::number(coy)),
          lines_(c, QStringLiteral("QVActTr.DBF")),
          heads_(c, QStringLiteral("QVChHdr.DBF")),
          details_(c, QStringLiteral("QVChqDet.DBF")),
          bankRows_(c, QStringLiteral("QVBnkTr.DBF")),
          lineWriter_(c, QStringLiteral("QVActTr"), importLineFields()),
          bankWriter_(banking::bankRowInserter(c)) {}

    ImportOutcome run(const std::vector<QStringList>* journal, const std::vector<QStringList>* bank,
                      const ImportProgress& progress);

private:
    struct Account {
        banking::LedgerAccount ledger;
        QString link;  // the link code journal lines carry
    };
    struct MadeRow {
        qint64 rowId = 0;  // 0 until written
        banking::BankRow row;
        bool changed = false;  // to be written when its transaction ends
    };
    // What this run wrote, by key. A transaction collects its own in a small delta, kept once
    // it commits (copying the whole run's record per transaction would grow with the run).
    struct Made {
        QHash<QString, MadeRow> bankRows;  // account number + "|" + number
        std::vector<QString> rowsToWrite;  // changed bank rows, in the order first changed
        QHash<QString, qint64> payments;   // CHQBNKCOY -> row id
        QSet<QString> lines;               // journal lines written, as importLineKey gives them
        QHash<QString, ImportBankBalance> balances;  // by account number
    };

    // A row, payment or balance of this run, looked up in the transaction's delta, then in the
    // run's record (copied into the delta to be changed).
    MadeRow* madeRow(Made& delta, const QString& key) {
        auto it = delta.bankRows.find(key);
        if (it != delta.bankRows.end()) return &*it;
        const auto done = made_.bankRows.constFind(key);
        return done == made_.bankRows.constEnd() ? nullptr : &*delta.bankRows.insert(key, *done);
    }
    bool rowMade(const Made& delta, const QString& key) const {
        return delta.bankRows.contains(key) || made_.bankRows.contains(key);
    }
    std::optional<qint64> madePayment(const Made& delta, const QString& key) const {
        if (const auto it = delta.payments.constFind(key); it != delta.payments.constEnd())
            return *it;
        if (const auto it = made_.payments.constFind(key); it != made_.payments.constEnd())
            return *it;
        return std::nullopt;
    }
    ImportBankBalance* balanceIn(Made& delta, const QString& acctNo) {
        const QString key = withoutTrailingBlanks(acctNo);
        auto it = delta.balances.find(key);
        if (it != delta.balances.end()) return &*it;
        const auto done = made_.balances.constFind(key);
        return done == made_.balances.constEnd() ? nullptr : &*delta.balances.insert(key, *done);
    }
    void keep(Made& delta);
    void openTables();
    void loadStoredKeys();
    void loadBankAccounts();
    void readBankFile(const std::vector<QStringList>& bank);
    void cancelEdits();
    void nextBatchStep();
    void commitBatch();
    void writeBalances();
    void writeChangedRows(Made& delta);
    bool importJournalGroup(const std::vector<ImportJournalLine>& lines);
    void importJournalLine(const ImportJournalLine& l, Made& made);
    bool importBankLine(const ImportBankLine& b);
    ImportOutcome runAll(const std::vector<QStringList>* journal,
                         const std::vector<QStringList>* bank, const ImportProgress& progress);

    const Account& account(const QString& acctCode);
    QString bankCodeOf(const QString& acctNo) const {
        const auto it = made_.balances.constFind(withoutTrailingBlanks(acctNo));
        return it == made_.balances.constEnd() ? QString() : it->bankCode;
    }
    bool journalLineExists(const Made& made, const QString& lineKey) const {
        return storedLines_.contains(lineKey) || made.lines.contains(lineKey) ||
               made_.lines.contains(lineKey);
    }
    bool bankRowStored(const QString& bankCode, const QString& acctNo, qint64 ref) const {
        return storedRows_.contains(importRowKey(keys::bankRowLink(coy_, bankCode, acctNo), ref));
    }
    payments::PayType paymentTypeOf(const ImportJournalLine& l) const;
    void paymentStep(const ImportJournalLine& l, const Account& a, const QString& key, Made& made);
    void bankStep(const ImportJournalLine& l, const Account& a, qint64 ref, Made& made);
    void moveAccount(Made& made, const QString& acctNo, double by, qint64 number, bool cheque);
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
    QSet<QString> balancesToWrite_;  // accounts moved since the last batch commit
    QHash<QString, std::optional<Account>> accounts_;
    // The bank file's rows by account number + "|" + number: a row made from journal lines takes
    // the file's kind, source and narrative when it is first written, so it is written once.
    QHash<QString, ImportBankLine> bankFile_;
    std::vector<std::optional<ImportBankLine>> bankLines_;  // the bank file's records, read once
    ImportDates dates_;
    // Open for the whole run; the keys already in the books are read once at its start, and
    // what the run writes is kept in made_.
    // lines_ is open only for its share of the table (no one packs it under the run); new rows
    // go through the prepared inserts.
    store::Table lines_, heads_, details_, bankRows_;
    store::RowInserter lineWriter_, bankWriter_;  // new journal lines and bank rows
    QSet<QString> storedLines_;                   // importLineKey of this company's journal lines
    QSet<QString> storedRows_;                    // importRowKey of the bank rows
    QSet<QString> storedPayments_;                // CHQBNKCOY of the payments
    // Each imported transaction is a nested scope of a batch committed every few thousand
    // transactions: a failure still undoes only its own transaction, and the disk is synced
    // once per batch instead of once per transaction.
    std::unique_ptr<store::Transaction> batch_;
    int sinceCommit_ = 0;
};

}  // namespace exchange::nrv
