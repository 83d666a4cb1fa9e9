#include "exchange/export_text.h"

#include <cmath>

#include "store/format.h"

namespace exchange {

namespace {

// A whole number of cents as the general form writes it: "12.5", "100", "-0.05".
void appendCentsText(std::string& out, qint64 cents) {
    char buf[32];
    char* end = buf + sizeof buf;
    char* p = end;
    const bool negative = cents < 0;
    quint64 n = negative ? quint64(-cents) : quint64(cents);
    const int fraction = int(n % 100);
    n /= 100;
    if (fraction != 0) {
        if (fraction % 10 != 0) *--p = char('0' + fraction % 10);
        *--p = char('0' + fraction / 10);
        *--p = '.';
    }
    do {
        *--p = char('0' + n % 10);
        n /= 10;
    } while (n != 0);
    if (negative) *--p = '-';
    out.append(p, end - p);
}

}  // namespace

void appendNumberText(std::string& out, double value) {
    if (value == 0.0) {  // never "-0"
        out += '0';
        return;
    }
    // Nearly every figure is whole cents: written without the general conversion, which a
    // year's export would run a million times. A double equal to cents / 100 is the nearest
    // one to that decimal, which the general form with 15 digits writes back exactly.
    if (std::fabs(value) < 1e12) {
        const qint64 cents = std::llround(value * 100.0);
        if (double(cents) / 100.0 == value) return appendCentsText(out, cents);
    }
    out += QString::number(value, 'g', 15).toStdString();
}

QString numberText(double value) {
    std::string text;
    appendNumberText(text, value);
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString myobMoney(double value) {
    const QString text = QLatin1Char('$') + store::fmt::money(value);
    return text.size() >= 8 ? QLatin1Char('"') + text + QLatin1Char('"') : text;
}

QString exportDate(const QDate& date) {
    return store::fmt::shortDate(date.isValid() ? date : QDate(1899, 12, 30));
}

QString ownField(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString csvField(const QString& text) {
    static const QString special = QStringLiteral(",\"\r\n");
    for (const QChar c : text)
        if (special.contains(c)) return ownField(text);
    return text;
}

QString oneLine(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QString plainField(const QString& text) {
    QString out = oneLine(text);
    out.replace(QLatin1Char(','), QLatin1Char(';'));
    out.replace(QLatin1Char('"'), QLatin1Char('\''));
    return out;
}

const QString& DateTexts::operator()(const QDate& date) {
    const qint64 key = date.isValid() ? date.toJulianDay() : 0;
    auto it = texts_.find(key);
    if (it == texts_.end()) it = texts_.insert(key, exportDate(date));
    return *it;
}

const QByteArray& DateBytes::operator()(QByteArrayView stored) {
    // The digits as one number, or -1 for a text not of the form (all invalid dates alike).
    int key = stored.size() == 10 && stored[4] == '-' && stored[7] == '-' ? 0 : -1;
    for (qsizetype i = 0; i < 10 && key >= 0; ++i) {
        if (i == 4 || i == 7) continue;
        const char c = stored[i];
        key = c >= '0' && c <= '9' ? key * 10 + (c - '0') : -1;
    }
    auto it = texts_.find(key);
    if (it == texts_.end()) {
        const QDate date = key < 0 ? QDate() : QDate(key / 10000, key / 100 % 100, key % 100);
        it = texts_.insert(key, exportDate(date).toUtf8());
    }
    return *it;
}

ExportFile::ExportFile(const QString& path) : file_(path) {
    open_ = file_.open(QIODevice::WriteOnly);
}

void ExportFile::line(const QString& text) { lineBytes(text.toUtf8()); }

void ExportFile::lineBytes(QByteArrayView utf8) {
    if (!open_ || failed_) return;
    buffer_ += utf8;
    buffer_ += "\r\n";
    // Written in large pieces: a year's journal is hundreds of thousands of lines.
    if (buffer_.size() >= (1 << 20)) {
        failed_ = file_.write(buffer_) != buffer_.size();
        buffer_.clear();
    }
}

bool ExportFile::commit() {
    if (!open_) return false;
    if (!failed_ && !buffer_.isEmpty()) failed_ = file_.write(buffer_) != buffer_.size();
    buffer_.clear();
    if (failed_) {
        file_.cancelWriting();
        file_.commit();
        return false;
    }
    return file_.commit();
}

}  // namespace exchange
