#include "exchange/export_accomplish.h"

#include <shapefil.h>

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#include "exchange/export_text.h"
#include "exchange/export_writers.h"
#include "store/error.h"
#include "store/format.h"
#include "store/table.h"
#include "store/transaction.h"

namespace exchange {

void CashmanTotals::add(const JournalRow& j) {
    if (!j.isExpense()) {
        receipts += j.amount;
        receiptsTax += j.gstAmt;
        return;
    }
    if (!j.whollyPrivate()) payments += j.businessAmount();
    paymentsTax += j.gstAmt;
}

QString accomplishSource(const JournalRow& j) {
    const QString& reason = j.reason;
    if (reason == QLatin1String("CSH"))
        return j.isExpense() ? QStringLiteral("C") : QStringLiteral("D");
    if (reason == QLatin1String("CHQ") || reason == QLatin1String("WD")) return QStringLiteral("C");
    if (reason == QLatin1String("AUTO") || reason == QLatin1String("AP"))
        return QStringLiteral("B");
    if (reason == QLatin1String("DEP")) return QStringLiteral("D");
    return {};
}

std::optional<CashmanRow> cashmanRowOf(const JournalRow& j) {
    if (j.whollyPrivate()) return std::nullopt;
    const double sign = j.isExpense() ? -1.0 : 1.0;
    CashmanRow row;
    row.date = j.tranDate;
    row.ref = j.ref;
    row.account = j.expCode;
    row.amount = store::fmt::roundTo(sign * (j.businessAmount() - j.gstAmt), 2);
    row.gstAmount = sign * j.gstAmt;
    row.quantity = 0.0;
    row.details = j.desc;
    row.source = accomplishSource(j);
    return row;
}

std::vector<CashmanRow> cashmanTotalRows(const CashmanTotals& t, const QDate& today,
                                         const QString& receiptsCode, const QString& paymentsCode) {
    const QString ref = QStringLiteral("999999");
    auto total = [&](const QString& account, double amount, const char* details) {
        CashmanRow r;
        r.date = today;
        r.ref = ref;
        r.account = account;
        r.amount = store::fmt::roundTo(amount, 2);
        r.details = QString::fromLatin1(details);
        return r;
    };
    return {total({}, t.receipts, "Cash receipts total - Bank #1"),
            total({}, -t.payments, "Cash payments total - Bank #1"),
            total(receiptsCode, t.receiptsTax, "G.S.T. on Cash receipts - Bank #1"),
            total(paymentsCode, -t.paymentsTax, "G.S.T. on Cash payments - Bank #1")};
}

namespace {

struct CashmanDbfCloser {
    void operator()(DBFInfo* h) const { DBFClose(h); }
};

bool addCashmanFields(DBFHandle h) {
    return DBFAddNativeFieldType(h, "DATE", 'D', 8, 0) >= 0 &&
           DBFAddField(h, "REF", FTString, 20, 0) >= 0 &&
           DBFAddField(h, "ACCOUNT", FTString, 15, 0) >= 0 &&
           DBFAddField(h, "AMOUNT", FTDouble, 14, 2) >= 0 &&
           DBFAddField(h, "GSTAMOUNT", FTDouble, 14, 2) >= 0 &&
           DBFAddField(h, "QUANTITY", FTDouble, 10, 2) >= 0 &&
           DBFAddField(h, "DETAILS", FTString, 250, 0) >= 0 &&
           DBFAddField(h, "SOURCE", FTString, 1, 0) >= 0;
}

bool writeDbfText(DBFHandle h, int row, int field, const QString& text) {
    if (text.isEmpty()) return DBFWriteNULLAttribute(h, row, field);
    return DBFWriteStringAttribute(h, row, field, text.toUtf8().constData());
}

bool writeDbfOptional(DBFHandle h, int row, int field, const std::optional<double>& v) {
    return v ? DBFWriteDoubleAttribute(h, row, field, *v) : DBFWriteNULLAttribute(h, row, field);
}

bool writeDbfRow(DBFHandle h, int i, const CashmanRow& r) {
    // A dBase date is the number yyyymmdd in an eight-character field.
    const int date = r.date.year() * 10000 + r.date.month() * 100 + r.date.day();
    return DBFWriteIntegerAttribute(h, i, 0, date) && writeDbfText(h, i, 1, r.ref) &&
           writeDbfText(h, i, 2, r.account) && DBFWriteDoubleAttribute(h, i, 3, r.amount) &&
           writeDbfOptional(h, i, 4, r.gstAmount) && writeDbfOptional(h, i, 5, r.quantity) &&
           writeDbfText(h, i, 6, r.details) && writeDbfText(h, i, 7, r.source);
}

void appendCashmanRow(store::Table& t, const CashmanRow& r) {
    t.insert();
    t.setValue(QStringLiteral("DATE"), r.date);
    t.setValue(QStringLiteral("REF"), r.ref);
    t.setValue(QStringLiteral("ACCOUNT"), r.account);
    t.setValue(QStringLiteral("AMOUNT"), r.amount);
    if (r.gstAmount) t.setValue(QStringLiteral("GSTAMOUNT"), *r.gstAmount);
    if (r.quantity) t.setValue(QStringLiteral("QUANTITY"), *r.quantity);
    t.setValue(QStringLiteral("DETAILS"), r.details);
    if (!r.source.isEmpty()) t.setValue(QStringLiteral("SOURCE"), r.source);
    t.post();
}

// The table is emptied and refilled as one change: a failure leaves the last run's rows.
void fillCashmanTable(store::Connection& c, const std::vector<CashmanRow>& rows) {
    store::Transaction tx(c);
    c.exec(QStringLiteral("DELETE FROM CASHMAN"));
    store::Table t(c, QStringLiteral("CASHMAN.DBF"));
    t.open();
    for (const CashmanRow& r : rows) appendCashmanRow(t, r);
    t.close();
    tx.commit();
}

}  // namespace

bool writeCashmanDbf(const QString& path, const std::vector<CashmanRow>& rows) {
    // shapelib names the file itself (base name + ".dbf"); it is written beside the target
    // under its own name and renamed over it once complete.
    // No dot in the base name: shapelib would take what follows it for an extension.
    const QFileInfo target(path);
    const QString base = target.absolutePath() + QLatin1Char('/') + target.completeBaseName() +
                         QStringLiteral("-writing");
    const QString written = base + QStringLiteral(".dbf");
    bool ok = false;
    {
        std::unique_ptr<DBFInfo, CashmanDbfCloser> h(
            DBFCreate(QFile::encodeName(base).constData()));
        if (!h || !addCashmanFields(h.get())) return false;
        ok = true;
        for (int i = 0; ok && i < int(rows.size()); ++i)
            ok = writeDbfRow(h.get(), i, rows[size_t(i)]);
    }
    std::error_code ec;
    if (ok)
        std::filesystem::rename(QFile::encodeName(written).toStdString(),
                                QFile::encodeName(path).toStdString(), ec);
    if (!ok || ec) {
        QFile::remove(written);
        return false;
    }
    return true;
}

ExportOutcome exportAccomplish(store::Connection& c, const ExportRequest& r) {
    const qint64 n = countJournalRows(c, r.range);
    if (n == 0) return {false, QString::fromLatin1(kNoEntries), {}};
    CashmanTotals totals;
    try {
        forEachJournalRow(c, r.range, [&](const JournalRow& j) { totals.add(j); });
    } catch (const store::StoreError&) {
        return {false, QString::fromLatin1(kNoTotals), {}};
    }
    if (r.setMaximum) r.setMaximum(n);
    ExportFile errors(r.folder + QString::fromLatin1(kErrorFile));
    std::vector<CashmanRow> rows;
    int copied = 0, notCopied = 0;
    forEachJournalRow(c, r.range, [&](const JournalRow& j) {
        if (j.expCode.isEmpty()) {
            errors.line(QStringLiteral("Account code ") + j.acctCode +
                        QStringLiteral(" has no export account defined."));
            ++notCopied;
        } else if (auto row = cashmanRowOf(j)) {
            rows.push_back(std::move(*row));
            ++copied;
        }
        if (r.step) r.step();
    });
    errors.line(QString::number(copied) + QStringLiteral(" transactions were copied."));
    errors.line(QString::number(notCopied) + QStringLiteral(" were not copied because of errors."));
    if (!errors.commit()) return {};
    for (CashmanRow& t : cashmanTotalRows(totals, r.today, r.firstCode, r.secondCode))
        rows.push_back(std::move(t));
    fillCashmanTable(c, rows);
    if (!writeCashmanDbf(r.folder + QString::fromLatin1(kAccomplishFile), rows)) return {};
    return {true, {}, {QString::fromLatin1(kAccomplishFile)}};
}

}  // namespace exchange
