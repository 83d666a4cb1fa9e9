#include "exchange/statement_duplicates.h"

#include <QHash>
#include <QSet>

#include "store/catalogue.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/statement.h"
#include "store/table.h"

namespace exchange {

namespace keys = store::keys;

namespace {

const QString kImportedLines = QStringLiteral("QVStmtLn.DBF");

int fieldWidth(const char* table, const char* field) {
    const store::TableDef* t = store::findTable(QString::fromLatin1(table));
    const store::FieldDef* f = t ? t->field(QString::fromLatin1(field)) : nullptr;
    return f ? f->width : 0;
}

// A text as a field of that width keeps it: cut between characters, without trailing blanks.
QString storedText(const QString& text, int width) {
    QString s = keys::cutToWidth(text, width);
    while (!s.isEmpty() && s.back().isSpace()) s.chop(1);
    return s;
}

QString fitidKey(const QString& fitid) {
    static const int width = fieldWidth("QVStmtLn", "FITID");
    return storedText(fitid.trimmed(), width);
}

// Bank rows keep the description cut to REASON; spacing and letter case are not compared, since
// a hand-entered row rarely repeats the bank's exactly.
QString statementEntryKey(const QDate& date, qint64 cents, const QString& narrative) {
    static const int width = fieldWidth("QVBnkTr", "REASON");
    return date.toString(Qt::ISODate) + u'|' + QString::number(cents) + u'|' +
           keys::cutToWidth(narrative, width).simplified().toCaseFolded();
}

// The booked lines waiting for a match, by key; each is taken once.
class BookedPool {
public:
    void add(const QString& key, std::size_t index) { byKey_[key].push_back(index); }
    // The first booked line of the key not yet taken that `accepts`, taken.
    template <typename Accepts>
    std::optional<std::size_t> take(const QString& key, std::vector<bool>& taken, Accepts accepts) {
        const auto it = byKey_.find(key);
        if (it == byKey_.end()) return std::nullopt;
        for (std::size_t j : it.value())
            if (!taken[j] && accepts(j)) {
                taken[j] = true;
                return j;
            }
        return std::nullopt;
    }

private:
    QHash<QString, std::vector<std::size_t>> byKey_;
};

// Imported lines whose bank row is still there, with the keys of those rows: those with a
// FITID within kFitidWindowDays of the dates, the others within the dates.
void readImportedLines(store::Connection& c, int coy, const QString& bankLink, const QDate& from,
                       const QDate& to, std::vector<BookedLine>& out, QSet<QString>& rowKeys) {
    store::Query q(c);
    q.setSql(QStringList{
        QStringLiteral("SELECT L.FITID, L.TRANDATE, L.CENTS, L.NARRATIVE, L.BNKTRNLNK"),
        QStringLiteral("FROM QVStmtLn L WHERE L.BANKLINK = :sBankLink AND +L.COYCODE = :iCoy"),
        QStringLiteral("AND L.TRANDATE BETWEEN :dFitidFrom AND :dFitidTo"),
        QStringLiteral("AND (L.FITID <> '' OR L.TRANDATE BETWEEN :dFrom AND :dTo)"),
        // "+" keeps the engine on the BNKTRNLNK index: one probe per imported line.
        QStringLiteral("AND EXISTS (SELECT 1 FROM QVBnkTr T WHERE T.BNKTRNLNK = L.BNKTRNLNK"),
        QStringLiteral("            AND +T.COYCODE = L.COYCODE)")});
    q.bind(QStringLiteral("sBankLink"), bankLink);
    q.bind(QStringLiteral("iCoy"), coy);
    q.bind(QStringLiteral("dFrom"), from);
    q.bind(QStringLiteral("dTo"), to);
    q.bind(QStringLiteral("dFitidFrom"), from.addDays(-kFitidWindowDays));
    q.bind(QStringLiteral("dFitidTo"), to.addDays(kFitidWindowDays));
    for (q.open(); !q.eof(); q.next()) {
        out.push_back({q.text(QStringLiteral("FITID")), q.date(QStringLiteral("TRANDATE")),
                       q.integer(QStringLiteral("CENTS")), q.text(QStringLiteral("NARRATIVE"))});
        rowKeys.insert(q.text(QStringLiteral("BNKTRNLNK")));
    }
}

// The account's bank rows between the dates not made from an imported line.
void readBankRows(store::Connection& c, int coy, const QString& bankLink, const QDate& from,
                  const QDate& to, const QSet<QString>& importedRows,
                  std::vector<BookedLine>& out) {
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT T.TRANDATE, T.AMOUNT, T.REASON, T.BNKTRNLNK"),
                         QStringLiteral("FROM QVBnkTr T WHERE T.BANKLINK = :sBankLink"),
                         QStringLiteral("AND T.TRANDATE BETWEEN :dFrom AND :dTo"),
                         QStringLiteral("AND +T.COYCODE = :iCoy")});
    q.bind(QStringLiteral("sBankLink"), bankLink);
    q.bind(QStringLiteral("dFrom"), from);
    q.bind(QStringLiteral("dTo"), to);
    q.bind(QStringLiteral("iCoy"), coy);
    for (q.open(); !q.eof(); q.next()) {
        if (importedRows.contains(q.text(QStringLiteral("BNKTRNLNK")))) continue;
        out.push_back({QString(), q.date(QStringLiteral("TRANDATE")),
                       store::fmt::cents(q.number(QStringLiteral("AMOUNT"))),
                       q.text(QStringLiteral("REASON"))});
    }
}

}  // namespace

std::vector<bool> matchBookedLines(const std::vector<std::optional<StatementLine>>& lines,
                                   const std::vector<BookedLine>& booked) {
    std::vector<bool> found(lines.size(), false);
    std::vector<bool> taken(booked.size(), false);
    BookedPool byFitid, byEntry;
    for (std::size_t j = 0; j < booked.size(); ++j) {
        const BookedLine& b = booked[j];
        if (!fitidKey(b.fitid).isEmpty()) byFitid.add(fitidKey(b.fitid), j);
        byEntry.add(statementEntryKey(b.date, b.cents, b.narrative), j);
    }
    const auto anyBooked = [](std::size_t) { return true; };
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] && !fitidKey(lines[i]->fitid).isEmpty())
            found[i] = byFitid.take(fitidKey(lines[i]->fitid), taken, anyBooked).has_value();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i] || found[i]) continue;
        const bool lineHasFitid = !fitidKey(lines[i]->fitid).isEmpty();
        // Two different FITIDs are two transactions, however alike their other fields.
        const auto sameTransaction = [&](std::size_t j) {
            return !lineHasFitid || fitidKey(booked[j].fitid).isEmpty();
        };
        found[i] =
            byEntry
                .take(statementEntryKey(lines[i]->date, lines[i]->cents, lines[i]->narrative),
                      taken, sameTransaction)
                .has_value();
    }
    return found;
}

std::vector<BookedLine> readBookedLines(store::Connection& c, int coy, const QString& bankCode,
                                        const QString& acctNo, const QDate& from, const QDate& to) {
    const QString bankLink = keys::bankRowLink(coy, bankCode.trimmed(), acctNo.trimmed());
    std::vector<BookedLine> booked;
    QSet<QString> importedRows;
    readImportedLines(c, coy, bankLink, from, to, booked, importedRows);
    readBankRows(c, coy, bankLink, from, to, importedRows, booked);
    return booked;
}

std::vector<bool> linesInBooks(store::Connection& c, int coy, const QString& bankCode,
                               const QString& acctNo,
                               const std::vector<std::optional<StatementLine>>& lines) {
    QDate from, to;
    for (const auto& line : lines) {
        if (!line || !line->date.isValid()) continue;
        if (!from.isValid() || line->date < from) from = line->date;
        if (!to.isValid() || line->date > to) to = line->date;
    }
    if (!from.isValid()) return std::vector<bool>(lines.size(), false);
    return matchBookedLines(lines, readBookedLines(c, coy, bankCode, acctNo, from, to));
}

void recordImportedLine(store::Connection& c, int coy, const QString& bankCode,
                        const QString& acctNo, const QString& bankRowKey,
                        const StatementLine& line) {
    if (c.transactionDepth() == 0)
        throw store::StoreError(QStringLiteral("An imported line written outside a transaction."));
    const QString bankLink = keys::bankRowLink(coy, bankCode.trimmed(), acctNo.trimmed());
    const QString rowKey = storedText(bankRowKey, fieldWidth("QVStmtLn", "BNKTRNLNK"));
    const QString fitid = fitidKey(line.fitid);
    store::execute(
        c,
        {QStringLiteral("DELETE FROM QVStmtLn WHERE COYCODE = :iCoy"),
         QStringLiteral("AND BANKLINK = :sBankLink"),
         QStringLiteral("AND (BNKTRNLNK = :sRowKey OR (FITID <> '' AND FITID = :sFitid))")},
        {{QStringLiteral("iCoy"), coy},
         {QStringLiteral("sBankLink"), bankLink},
         {QStringLiteral("sRowKey"), rowKey},
         {QStringLiteral("sFitid"), fitid}});
    store::Table t(c, kImportedLines);
    t.open();
    t.insert();
    t.setValue(QStringLiteral("COYCODE"), coy);
    t.setValue(QStringLiteral("BANKLINK"), bankLink);
    t.setValue(QStringLiteral("BNKTRNLNK"), rowKey);
    t.setValue(QStringLiteral("FITID"), fitid);
    t.setValue(QStringLiteral("TRANDATE"), line.date);
    t.setValue(QStringLiteral("CENTS"), line.cents);
    t.setValue(QStringLiteral("NARRATIVE"), line.narrative);
    t.post();
}

}  // namespace exchange
