#pragma once
// Reading a date as people type it into a date box: always day, then month, then year.
//
// "5/12/2026", "05/12/26", "5-12-26", "5.12", "05122026", "5 Dec 2026", "5 december 26"; a
// month or year left out is today's; "t" is today. Two-digit years fall in the century that
// puts them nearest today (up to 20 years ahead). Nothing else is guessed: text that does not
// read as a real date gives no date.

#include <QDate>
#include <QString>
#include <optional>

namespace ui {

std::optional<QDate> parseTypedDate(const QString& text, const QDate& today);

}  // namespace ui
