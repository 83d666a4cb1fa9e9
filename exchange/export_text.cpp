#include "exchange/export_text.h"

#include "store/format.h"

namespace exchange {

QString numberText(double value) {
    if (value == 0.0) return QStringLiteral("0");  // never "-0"
    return QString::number(value, 'g', 15);
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

ExportFile::ExportFile(const QString& path) : file_(path) {
    open_ = file_.open(QIODevice::WriteOnly);
}

void ExportFile::line(const QString& text) {
    if (!open_ || failed_) return;
    buffer_ += text.toUtf8();
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
