// The GST 101 page of a reprinted return, laid out like the official form: heading, the
// registration details and period, boxes 5 to 15, the declaration, and the payment slip.
#include <QLocale>

#include "store/format.h"
#include "tax/cents_text.h"
#include "tax/gstreprint.h"

namespace tax {
namespace {

class PageWriter {
public:
    void text(double x, double y, double w, const QString& s, double pt = 9, bool bold = false) {
        reports::FormField f;
        f.mm = QRectF(x, y, w, pt * 0.5 + 1.5);
        f.text = s;
        f.pointSize = pt;
        f.bold = bold;
        page.fields.push_back(f);
    }
    void box(double x, double y, double w, const QString& s, bool right = true) {
        reports::FormField f;
        f.mm = QRectF(x, y, w, 6);
        f.text = s;
        f.boxed = true;
        f.align = (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        page.fields.push_back(f);
    }
    reports::FormPage page;
};

QString englishDate(const QDate& d, const char* format) {
    return QLocale(QLocale::English).toString(d, QLatin1String(format));
}

QString dollars(qint64 cents) { return QStringLiteral("$") + centsText(cents); }

void writeHeading(PageWriter& w, const TaxCompany& c, const StoredReturnRecord& r,
                  const QDate& due) {
    w.text(15, 12, 120, QStringLiteral("Goods and services tax return"), 15, true);
    w.text(150, 12, 45, QStringLiteral("GST 101A"), 13, true);
    w.text(15, 21, 100, QStringLiteral("Goods and services Tax Act 1985"), 8);
    w.text(150, 20, 45, QStringLiteral("Inland Revenue"), 10, true);
    w.text(150, 25, 45, QStringLiteral("Te Tari Taake"), 9);
    w.text(15, 26, 130,
           QStringLiteral("Please see the GST guide for help in filling in this return."), 8);
    w.text(15, 35, 55, QStringLiteral("1  Registration number"), 9, true);
    w.box(70, 34, 45, c.gstNumber, false);
    w.text(15, 43, 55, QStringLiteral("2  Name and address"), 9, true);
    double y = 43;
    for (const QString& line : {c.busName, c.address1, c.address2, c.address3}) {
        w.text(70, y, 80, line);
        y += 5;
    }
    w.text(120, 34, 75, QStringLiteral("Period covered by the return"), 9, true);
    w.text(120, 39, 75, periodLabel(c.gstPeriod));
    w.text(120, 44, 75,
           QStringLiteral("From ") + store::fmt::longDate(r.period.start) + QStringLiteral(" to ") +
               store::fmt::longDate(r.period.end));
    w.text(120, 49, 75, basisLabel(c.gstType));
    w.text(120, 55, 75, QStringLiteral("This return and any payment are due"), 9, true);
    w.text(120, 60, 75, englishDate(due, "d MMMM yyyy"));
    w.text(15, 66, 55, QStringLiteral("4  Daytime phone number"), 9, true);
    w.box(70, 65, 45, c.phoneNo, false);
}

void writeBoxes(PageWriter& w, const TaxCompany& c, const StoredReturn& s) {
    const std::pair<QString, qint64> boxes[] = {
        {QStringLiteral(
             "Total sales and Income for the period (including GST and any zero-rated supplies)"),
         s.income},
        {QStringLiteral("Zero-rated supplies included in Box 5"), s.zeroRated},
        {QStringLiteral("Subtract Box 6 from Box 5"), s.totSales},
        {reprintBoxEightCaption(c.gstPercent), s.incomeGst},
        {QStringLiteral("Adjustments from your calculation sheet"), s.saleAdjGst},
        {QStringLiteral("Add Boxes 8 and 9.  This is your total GST collected on sales and income"),
         s.gstCollect},
        {QStringLiteral("Total purchases and expenses (including GST) for which the invoicing "
                        "requirements have been met, excluding any imported goods"),
         s.purExp},
        {reprintBoxTwelveCaption(c.gstPercent), s.expGst},
        {QStringLiteral("Credit adjustments from calculation sheet"), s.credAdj},
        {QStringLiteral(
             "Add Box 12 and Box 13. This is your total GST credit for purchases and expenses"),
         s.gstCredit},
        {QStringLiteral("Print the difference between Box 10 and Box 14 here"), s.gstAmount}};
    double y = 76;
    int number = 5;
    for (const auto& [caption, cents] : boxes) {
        w.text(15, y, 8, QString::number(number++), 10, true);
        w.text(24, y, 125, caption, 8);
        w.box(150, y - 0.5, 45, dollars(cents));
        y += 9;
    }
    w.text(24, y, 125,
           QStringLiteral("If Box 10 is larger than Box 14 the difference is GST to pay"), 8);
    w.text(
        150, y, 22,
        (s.refund() ? QStringLiteral("[X] ") : QStringLiteral("[  ] ")) + QStringLiteral("Refund"));
    w.text(172, y, 25,
           (s.refund() ? QStringLiteral("[  ] ") : QStringLiteral("[X] ")) +
               QStringLiteral("GST to pay"));
    w.text(15, y + 9, 60, QStringLiteral("Declaration"), 10, true);
    w.text(15, y + 14, 120,
           QStringLiteral("I declare that the information given in this return is true."), 8);
    w.text(15, y + 22, 20, QStringLiteral("Signature"), 9);
    w.box(36, y + 21, 70, QString(), false);
    w.text(130, y + 9, 65, QStringLiteral("Office use only"), 9, true);
    w.box(130, y + 14, 65, QString(), false);
}

void writePaymentSlip(PageWriter& w, const TaxCompany& c, const StoredReturnRecord& r,
                      const QDate& due) {
    const double y = 232;
    w.text(15, y - 5, 180,
           QStringLiteral("- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - "
                          "- - - - - - - - - - - - - - -"),
           8);
    w.text(15, y, 60, QStringLiteral("Payment Slip"), 12, true);
    w.text(15, y + 8, 40, QStringLiteral("Registration number"), 8);
    w.box(55, y + 7, 40, c.gstNumber, false);
    w.text(15, y + 16, 80, c.busName, 9, true);
    w.text(15, y + 22, 50, QStringLiteral("Return for the period ending"), 8);
    w.text(65, y + 22, 40, englishDate(r.period.end, "d MMMM yyyy"));
    w.text(15, y + 28, 50, QStringLiteral("This return and payment are due"), 8);
    w.text(65, y + 28, 40, englishDate(due, "d MMM yyyy"));
    w.text(120, y, 75, englishDate(r.period.end, "MMMM yyyy"), 10, true);
    w.text(120, y + 8, 30, QStringLiteral("Amount of payment"), 8);
    w.text(120, y + 13, 8, QStringLiteral("16"), 10, true);
    w.box(150, y + 12, 45, dollars(r.figures.gstAmount));
    w.text(120, y + 20, 75,
           QStringLiteral("Copy your total from box 15 to Box 16 and include any late payment "
                          "penalties for this period only"),
           7);
    w.text(120, y + 30, 55, QStringLiteral("Has payment been made electronically?"), 8);
    w.text(176, y + 30, 10, QStringLiteral("Yes"), 8);
    w.text(186, y + 30, 10, QStringLiteral("No "), 8);
}

}  // namespace

reports::FormPage gst101ReprintPage(const TaxCompany& company, const StoredReturnRecord& stored,
                                    const QDate& due) {
    PageWriter w;
    writeHeading(w, company, stored, due);
    writeBoxes(w, company, stored.figures);
    writePaymentSlip(w, company, stored, due);
    return w.page;
}

reports::ReportDocument gstReprintDocument(store::Connection& connection, int coy,
                                           const TaxPeriod& chosen) {
    reports::ReportDocument doc;
    doc.name = QStringLiteral("GST101");
    doc.pageHeader = false;
    const TaxCompany company = readTaxCompany(connection, coy);
    for (const StoredReturnRecord& r : returnsToReprint(connection, coy, chosen))
        doc.formPages.push_back(gst101ReprintPage(company, r, paymentDueDate(r.period.end)));
    return doc;
}

}  // namespace tax
