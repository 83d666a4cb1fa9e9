#include "exchange/export_writers.h"

#include <QDir>

#include "exchange/export_text.h"
#include "store/error.h"
#include "store/format.h"

namespace exchange {
namespace {

void reportExportSize(const ExportRequest& r, qint64 n) {
    if (r.setMaximum) r.setMaximum(n);
}
void reportExportStep(const ExportRequest& r) {
    if (r.step) r.step();
}

ExportOutcome exportFailed(const QString& problem = {}) { return {false, problem, {}}; }
ExportOutcome exportSucceeded(QStringList files) { return {true, {}, std::move(files)}; }

// Writes one line per journal line of the range into `name`; false for an empty range.
// `lineOf` gives nothing for a line the format leaves out.
using JournalLineWriter = std::function<void(ExportFile&, const JournalRow&, DateTexts&)>;
ExportOutcome writeJournalFile(store::Connection& c, const ExportRequest& r, const QString& name,
                               const QString& header, const JournalLineWriter& write) {
    const qint64 n = countJournalRows(c, r.range);
    if (n == 0) return exportFailed(QString::fromLatin1(kNoEntries));
    reportExportSize(r, n);
    ExportFile file(r.folder + name);
    if (!file.isOpen()) return exportFailed();
    if (!header.isEmpty()) file.line(header);
    DateTexts dates;
    forEachJournalRow(c, r.range, [&](const JournalRow& j) {
        write(file, j, dates);
        reportExportStep(r);
    });
    if (!file.commit()) return exportFailed();
    return exportSucceeded({name});
}

}  // namespace

QStringList exportFormatNames() {
    return {QStringLiteral("Quorvel"),
            QStringLiteral("Burge Cash Manager"),
            QStringLiteral("Excel CSV"),
            QStringLiteral("MYOB - Business Basics"),
            QStringLiteral("Quicken - QuickBooks"),
            QStringLiteral("Accomplish Cash Manager")};
}

namespace {

// One record of the own format, built in place: a year's export writes hundreds of thousands.
class OwnRecord {
public:
    OwnRecord() { text_.reserve(256); }
    OwnRecord& quoted(const QString& field) {
        separate();
        text_ += QLatin1Char('"');
        if (field.contains(QLatin1Char('"'))) {
            QString doubled = field;
            text_ += doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
        } else {
            text_ += field;
        }
        text_ += QLatin1Char('"');
        return *this;
    }
    OwnRecord& plain(const QString& field) {
        separate();
        text_ += field;
        return *this;
    }
    OwnRecord& whole(qint64 value) { return plain(QString::number(value)); }
    OwnRecord& number(double value) { return plain(numberText(value)); }
    const QString& text() const { return text_; }

private:
    void separate() {
        if (!text_.isEmpty()) text_ += QLatin1Char(',');
    }
    QString text_;
};

}  // namespace

QString ownJournalLine(const JournalRow& j, const QString& gstDate, const QString& tranDate) {
    OwnRecord r;
    r.quoted(j.acctCode).quoted(j.ref).quoted(j.suppCode).quoted(j.clientCode).quoted(j.gstType);
    r.whole(j.lineNo).quoted(j.bankAcct).quoted(j.desc).number(j.amount).number(j.busAmt);
    r.whole(j.zeroRated).number(j.gstAmt).plain(gstDate).number(double(j.tranNum));
    r.plain(tranDate).whole(j.hasBnkAcct).quoted(j.tranType).quoted(j.splitDest);
    r.quoted(j.splitSourc).quoted(j.reason).quoted(j.cliJobNo);
    return r.text();
}

QString ownBankLine(const BankTranRow& b, const QString& tranDate) {
    OwnRecord r;
    r.quoted(b.bankCode).quoted(b.bankAcct).quoted(b.source).quoted(b.destBank);
    r.quoted(b.destAcct).quoted(b.sourceBank).quoted(b.sourceAcct).quoted(b.reason);
    r.number(b.amount).whole(b.confirmed).whole(b.reconciled).quoted(tranDate);
    r.number(double(b.tranNum)).quoted(b.tranType).quoted(b.tranRef).whole(b.cshAccDet);
    return r.text();
}

QString csvLine(const JournalRow& j, const QString& tranDate) {
    return QStringList{numberText(double(j.tranNum)),
                       csvField(tranDate),
                       csvField(j.acctCode),
                       csvField(j.suppCode),
                       csvField(j.clientCode),
                       csvField(j.bankAcct),
                       csvField(j.desc),
                       numberText(j.amount),
                       numberText(j.gstAmt),
                       csvField(j.reason)}
        .join(QLatin1Char(','));
}

std::optional<QString> burgeLine(const JournalRow& j, const QString& tranDate) {
    if (j.whollyPrivate()) return std::nullopt;
    const double sign = j.isExpense() ? -1.0 : 1.0;
    const double net = store::fmt::roundTo(sign * (j.businessAmount() - j.gstAmt), 2);
    return QStringList{tranDate,          numberText(double(j.tranNum)), plainField(j.acctCode),
                       numberText(net),   numberText(sign * j.gstAmt),   QStringLiteral("0"),
                       plainField(j.desc)}
        .join(QLatin1Char(','));
}

std::optional<QStringList> quickenRecord(const JournalRow& j, const QString& tranDate) {
    if (j.whollyPrivate()) return std::nullopt;
    const double sign = j.isExpense() ? -1.0 : 1.0;
    const double amount = sign * (j.domestic ? j.busAmt : j.amount);
    return QStringList{QLatin1Char('D') + tranDate,
                       QLatin1Char('T') + store::fmt::money(amount),
                       QLatin1Char('N') + numberText(double(j.tranNum)),
                       QLatin1Char('M') + oneLine(j.desc),
                       QStringLiteral("S[Cash]"),
                       QLatin1Char('$') + store::fmt::money(-amount),
                       QStringLiteral("^")};
}

ExportOutcome exportOwnFormat(store::Connection& c, const ExportRequest& r) {
    const QString journalName = QString::fromLatin1(kOwnJournalFile);
    ExportOutcome journal = writeJournalFile(
        c, r, journalName, {}, [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
            f.line(ownJournalLine(j, dates(j.gstDate), dates(j.tranDate)));
        });
    if (!journal.ok) return journal;
    const qint64 n = countBankTranRows(c, r.range, Transfers::Included);
    if (n == 0) return exportFailed();
    reportExportSize(r, n);
    const QString bankName = QString::fromLatin1(kOwnBankFile);
    ExportFile file(r.folder + bankName);
    if (!file.isOpen()) return exportFailed();
    DateTexts dates;
    forEachBankTranRow(
        c, r.range,
        [&](const BankTranRow& b) {
            file.line(ownBankLine(b, dates(b.tranDate)));
            reportExportStep(r);
        },
        Transfers::Included);
    if (!file.commit()) return exportFailed();
    return exportSucceeded({journalName, bankName});
}

ExportOutcome exportBurge(store::Connection& c, const ExportRequest& r) {
    return writeJournalFile(c, r, QString::fromLatin1(kBurgeFile), {},
                            [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
                                if (const auto l = burgeLine(j, dates(j.tranDate))) f.line(*l);
                            });
}

ExportOutcome exportCsv(store::Connection& c, const ExportRequest& r) {
    return writeJournalFile(
        c, r, QString::fromLatin1(kCsvFile),
        QStringLiteral(
            "Tran No.,Date,Ledger Code,Supplier,Client,Bank acct,Description,Amount,Tax, "
            "Reason"),
        [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
            f.line(csvLine(j, dates(j.tranDate)));
        });
}

ExportOutcome exportQuicken(store::Connection& c, const ExportRequest& r) {
    return writeJournalFile(c, r, QString::fromLatin1(kQuickenFile), QStringLiteral("!Type:Cash"),
                            [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
                                if (const auto rec = quickenRecord(j, dates(j.tranDate)))
                                    for (const QString& l : *rec) f.line(l);
                            });
}

ExportOutcome runExport(store::Connection& c, ExportFormat format, const ExportRequest& r) {
    try {
        switch (format) {
            case ExportFormat::Own:
                return exportOwnFormat(c, r);
            case ExportFormat::Burge:
                return exportBurge(c, r);
            case ExportFormat::Csv:
                return exportCsv(c, r);
            case ExportFormat::Myob:
                return exportMyob(c, r);
            case ExportFormat::Quicken:
                return exportQuicken(c, r);
            case ExportFormat::Accomplish:
                return exportAccomplish(c, r);
        }
    } catch (const store::StoreError& e) {
        // A store failure part way ends the run; files not committed stay as they were.
        return exportFailed(e.text());
    }
    return exportFailed();
}

}  // namespace exchange
