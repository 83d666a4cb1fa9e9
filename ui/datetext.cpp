#include "ui/datetext.h"

#include <QLocale>
#include <QStringList>

namespace ui {

namespace {

struct Parts {
    int day = 0;
    int month = 0;  // 0: not typed
    int year = -1;  // -1: not typed
    int yearDigits = 0;
};

// A month typed as a word: at least its first three letters, in English or the user's language.
int monthFromWord(const QString& word) {
    if (word.size() < 3) return 0;
    const QLocale locales[] = {QLocale(QLocale::English), QLocale::system()};
    for (const QLocale& locale : locales)
        for (int m = 1; m <= 12; ++m)
            if (locale.monthName(m, QLocale::LongFormat).startsWith(word, Qt::CaseInsensitive))
                return m;
    return 0;
}

// Splits into runs of digits and runs of letters, which blanks, '/', '-', '.' and ',' may
// separate; any other character gives no tokens.
QStringList tokens(const QString& text) {
    static const QString separators = QStringLiteral(" /-.,");
    QStringList out;
    QString current;
    auto flush = [&] {
        if (!current.isEmpty()) out.append(current);
        current.clear();
    };
    for (const QChar c : text) {
        const bool digit = c.isDigit(), letter = c.isLetter();
        if (!digit && !letter) {
            if (!separators.contains(c)) return {};
            flush();
            continue;
        }
        if (!current.isEmpty() && current.back().isDigit() != digit) flush();
        current.append(c);
    }
    flush();
    return out;
}

bool isNumber(const QString& s) {
    for (const QChar c : s)
        if (c < u'0' || c > u'9') return false;
    return !s.isEmpty();
}

// Digits typed without separators: d, dd, dmm, ddmm, ddmmyy, dmmyyyy, ddmmyyyy.
std::optional<Parts> fromDigitRun(const QString& s) {
    Parts p;
    auto num = [&](int from, int len) { return s.mid(from, len).toInt(); };
    switch (s.size()) {
        case 1:
        case 2:
            p.day = s.toInt();
            return p;
        case 3:
            p.day = num(0, 1), p.month = num(1, 2);
            return p;
        case 4:
            p.day = num(0, 2), p.month = num(2, 2);
            return p;
        case 6:
            p.day = num(0, 2), p.month = num(2, 2), p.year = num(4, 2), p.yearDigits = 2;
            return p;
        case 7:
            p.day = num(0, 1), p.month = num(1, 2), p.year = num(3, 4), p.yearDigits = 4;
            return p;
        case 8:
            p.day = num(0, 2), p.month = num(2, 2), p.year = num(4, 4), p.yearDigits = 4;
            return p;
        default:
            return std::nullopt;
    }
}

std::optional<Parts> fromTokens(const QStringList& t) {
    if (t.isEmpty() || t.size() > 3 || !isNumber(t[0]) || t[0].size() > 2) return std::nullopt;
    Parts p;
    p.day = t[0].toInt();
    if (t.size() >= 2) {
        p.month = isNumber(t[1]) ? (t[1].size() <= 2 ? t[1].toInt() : 0) : monthFromWord(t[1]);
        if (p.month == 0) return std::nullopt;
    }
    if (t.size() == 3) {
        if (!isNumber(t[2]) || t[2].size() == 3 || t[2].size() > 4) return std::nullopt;
        p.year = t[2].toInt();
        p.yearDigits = int(t[2].size());
    }
    return p;
}

int fullYear(int year, int digits, int thisYear) {
    if (digits > 2) return year;
    // The century that puts the year nearest today, up to 20 years ahead.
    int full = thisYear - thisYear % 100 + year;
    if (full > thisYear + 20)
        full -= 100;
    else if (full < thisYear - 79)
        full += 100;
    return full;
}

}  // namespace

std::optional<QDate> parseTypedDate(const QString& text, const QDate& today) {
    const QString typed = text.trimmed();
    if (typed.compare(QStringLiteral("t"), Qt::CaseInsensitive) == 0) return today;
    const QStringList t = tokens(typed);
    if (t.isEmpty()) return std::nullopt;
    const std::optional<Parts> parts =
        t.size() == 1 && isNumber(t[0]) ? fromDigitRun(t[0]) : fromTokens(t);
    if (!parts) return std::nullopt;
    const int month = parts->month ? parts->month : today.month();
    const int year =
        parts->year >= 0 ? fullYear(parts->year, parts->yearDigits, today.year()) : today.year();
    const QDate date(year, month, parts->day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

}  // namespace ui
