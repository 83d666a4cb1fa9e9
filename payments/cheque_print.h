#pragma once
// A payment printed on cheque stationery (180 x 70 mm, landscape): the date, the payee, the
// amount and the amount in words at their places on the form. The payee is the payment's own:
// the business name of the supplier its key names, or the name typed for a miscellaneous
// payee. No widgets.

#include <QDate>
#include <QString>
#include <optional>

#include "reports/report.h"
#include "store/connection.h"

namespace payments {

struct ChequeFace {
    QDate date;
    QString payee;
    double amount = 0;
    QString words;  // amountInWords(amount)
};

// The company's payment with this TRANNUM, as its cheque reads; nothing without one.
std::optional<ChequeFace> readChequeFace(store::Connection& connection, int coy, qint64 tranNum);

// Where each item sits on the cheque, in millimetres from the paper's top left corner.
struct ChequeLayout {
    static constexpr double kWidthMm = 180, kHeightMm = 70;
    static QRectF date() { return {149.2, 12.7, 28.8, 6.0}; }    // right-aligned
    static QRectF payee() { return {25.4, 23.3, 120.0, 6.0}; }   // left-aligned
    static QRectF amount() { return {147.9, 27.5, 30.1, 6.0}; }  // right-aligned
    static QRectF words() { return {21.2, 29.6, 106.1, 13.0}; }  // wrapped, left-aligned
};

// "dd mm yyyy": "03 06 2025".
QString chequeDate(const QDate& date);
// One cheque on one page of the stationery.
reports::ReportDocument chequeDocument(const ChequeFace& face);

}  // namespace payments
