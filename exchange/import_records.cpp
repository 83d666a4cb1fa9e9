#include "exchange/import_records.h"

#include "store/format.h"

namespace exchange {

std::vector<QStringList> splitRecords(const QString& text) {
    std::vector<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false, any = false;
    auto endRecord = [&] {
        if (any || !field.isEmpty() || !fields.isEmpty()) {
            fields << field;
            records.push_back(fields);
        }
        fields.clear();
        field.clear();
        any = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != QLatin1Char('"')) {
                field += c;
            } else if (i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                field += c;  // a doubled quote inside a quoted field
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = any = true;
        } else if (c == QLatin1Char(',')) {
            fields << field;
            field.clear();
            any = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n')) ++i;
            endRecord();
        } else {
            field += c;
        }
    }
    endRecord();
    return records;
}

QDate ImportDates::operator()(const QString& text) {
    auto it = dates_.constFind(text);
    if (it == dates_.constEnd()) it = dates_.insert(text, store::fmt::parseShortDate(text));
    return *it;
}

namespace {

// Typed reading of one record's fields; `ok` turns false at the first field that fails.
struct ImportFieldReader {
    const QStringList& f;
    ImportDates* dates = nullptr;
    int i = 0;
    bool ok = true;
    QString text() { return i < f.size() ? f.at(i++) : (ok = false, QString()); }
    qint64 whole() {
        bool good = false;
        const qint64 v = text().trimmed().toLongLong(&good);
        ok = ok && good;
        return v;
    }
    double number() {
        bool good = false;
        const double v = text().trimmed().toDouble(&good);
        ok = ok && good;
        return v;
    }
    QDate date() {
        const QString t = text();
        const QDate d = dates ? (*dates)(t) : store::fmt::parseShortDate(t);
        ok = ok && d.isValid();
        return d;
    }
};

}  // namespace

std::optional<ImportJournalLine> parseJournalLine(const QStringList& fields, ImportDates* dates) {
    ImportFieldReader r{fields, dates};
    ImportJournalLine l;
    l.acctCode = r.text();
    l.ref = r.text();
    l.suppCode = r.text();
    l.clientCode = r.text();
    l.gstType = r.text();
    l.lineNo = int(r.whole());
    l.bankAcct = r.text();
    l.desc = r.text();
    l.amount = r.number();
    l.busAmt = r.number();
    l.zeroRated = int(r.whole());
    l.gstAmt = r.number();
    l.gstDate = r.date();
    l.tranNum = qint64(r.number());
    l.tranDate = r.date();
    l.hasBnkAcct = int(r.whole());
    l.tranType = r.text();
    l.splitDest = r.text();
    l.splitSourc = r.text();
    l.reason = r.text();
    l.cliJobNo = r.text();
    if (!r.ok) return std::nullopt;
    return l;
}

std::optional<ImportBankLine> parseBankLine(const QStringList& fields, ImportDates* dates) {
    ImportFieldReader r{fields, dates};
    ImportBankLine b;
    b.bankCode = r.text();
    b.bankAcct = r.text();
    b.source = r.text();
    b.destBank = r.text();
    b.destAcct = r.text();
    b.sourceBank = r.text();
    b.sourceAcct = r.text();
    b.reason = r.text();
    b.amount = r.number();
    b.confirmed = int(r.whole());
    b.reconciled = int(r.whole());
    b.tranDate = r.date();
    b.tranNum = qint64(r.number());
    b.tranType = r.text();
    b.tranRef = r.text();
    b.cshAccDet = int(r.whole());
    if (!r.ok) return std::nullopt;
    return b;
}

}  // namespace exchange
