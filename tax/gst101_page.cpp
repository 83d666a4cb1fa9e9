#include "tax/gst101_page.h"

#include <QLocale>

#include "store/format.h"

namespace tax {

namespace {

using reports::FormField;

QString longDay(const QDate& d) { return store::fmt::longDate(d); }  // "1 April 2026"
QString shortMonthDay(const QDate& d) {
    return QLocale(QLocale::English).toString(d, QStringLiteral("d MMM yyyy"));
}
QString monthYear(const QDate& d) {
    return QLocale(QLocale::English).toString(d, QStringLiteral("MMMM yyyy"));
}

// Fields of one page, placed in millimetres from the paper's top left corner.
class PageBuilder {
public:
    void text(double x, double y, double w, double h, const QString& t, double pt = 9,
              bool bold = false, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
        page_.fields.push_back({QRectF(x, y, w, h), t, pt, bold, align, false});
    }
    void box(double x, double y, double w, double h, const QString& t, double pt = 10,
             Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter) {
        page_.fields.push_back({QRectF(x, y, w, h), t, pt, false, align, true});
    }
    reports::FormPage take() { return std::move(page_); }

private:
    reports::FormPage page_;
};

struct BoxLine {
    int number;
    QString caption;
    qint64 StoredReturn::*field;
};

void formHeader(PageBuilder& p, const TaxCompany& co, const TaxPeriod& period) {
    p.text(15, 10, 90, 8, QStringLiteral("Goods and services tax return"), 14, true);
    p.text(150, 10, 45, 8, QStringLiteral("GST 101A"), 14, true, Qt::AlignRight | Qt::AlignVCenter);
    p.text(15, 18, 90, 5, QStringLiteral("Goods and services Tax Act 1985"), 8);
    p.text(130, 18, 65, 5, QStringLiteral("Inland Revenue"), 10, true,
           Qt::AlignRight | Qt::AlignVCenter);
    p.text(130, 23, 65, 5, QStringLiteral("Te Tari Taake"), 9, false,
           Qt::AlignRight | Qt::AlignVCenter);
    p.text(15, 25, 110, 5,
           QStringLiteral("Please see the GST guide for help in filling in this return."), 8);
    p.text(15, 33, 50, 5, QStringLiteral("1  Registration number"), 8);
    p.box(65, 32, 45, 7, co.gstNumber.trimmed(), 10, Qt::AlignLeft | Qt::AlignVCenter);
    p.text(15, 41, 20, 5, QStringLiteral("2  Name"), 8);
    p.text(35, 41, 90, 5, co.busName.trimmed(), 10, true);
    p.text(35, 46, 90, 5, co.address1.trimmed());
    p.text(35, 51, 90, 5, co.address2.trimmed());
    p.text(35, 56, 90, 5, co.address3.trimmed());
    p.text(125, 33, 70, 5, QStringLiteral("Period covered by the return"), 8, true);
    p.text(125, 38, 70, 5, periodLabel(co.gstPeriod), 9, true);
    p.text(125, 43, 70, 5,
           QStringLiteral("From ") + longDay(period.start) + QStringLiteral(" to ") +
               longDay(period.end),
           9);
    p.text(125, 48, 70, 5, basisLabel(co.gstType), 9);
    p.text(125, 53, 70, 5, QStringLiteral("This return and any payment are due"), 8);
    p.text(125, 58, 70, 5, longDay(paymentDueDate(period.end)), 9, true);
    p.text(15, 63, 40, 5, QStringLiteral("4  Daytime phone"), 8);
    p.text(55, 63, 60, 5, co.phoneNo.trimmed());
}

void formBoxes(PageBuilder& p, const TaxCompany& co, const StoredReturn* figures) {
    const QString eight = nzBoxEightCaption(co.gstPercent);
    const QString twelve = nzBoxTwelveCaption(co.gstPercent);
    const BoxLine lines[] = {
        {5, "Total sales and Income for the period (including GST and any zero-rated supplies)",
         &StoredReturn::income},
        {6, "Zero-rated supplies included in Box 5", &StoredReturn::zeroRated},
        {7, "Subtract Box 6 from Box 5", &StoredReturn::totSales},
        {8, eight, &StoredReturn::incomeGst},
        {9, "Adjustments from your calculation sheet", &StoredReturn::saleAdjGst},
        {10, "Add Boxes 8 and 9.  This is your total GST collected on sales and income",
         &StoredReturn::gstCollect},
        {11,
         "Total purchases and expenses (including GST) for which the invoicing requirements "
         "have been met, excluding any imported goods",
         &StoredReturn::purExp},
        {12, twelve, &StoredReturn::expGst},
        {13, "Credit adjustments from calculation sheet", &StoredReturn::credAdj},
        {14, "Add Box 12 and Box 13. This is your total GST credit for purchases and expenses",
         &StoredReturn::gstCredit},
        {15, "Print the difference between Box 10 and Box 14 here", &StoredReturn::gstAmount},
    };
    double y = 72;
    for (const BoxLine& l : lines) {
        p.text(15, y, 120, 10, l.caption, 8);
        p.text(137, y, 8, 10, QString::number(l.number), 9, true, Qt::AlignCenter);
        p.box(147, y + 1.5, 48, 7, figures ? formMoney((*figures).*(l.field)) : QString());
        y += 11;
    }
    p.text(15, y, 120, 5,
           QStringLiteral("If Box 10 is larger than Box 14 the difference is GST to pay"), 8);
    const bool refund = figures && figures->refund();
    const bool toPay = figures && !figures->refund();
    p.box(147, y, 5, 5, refund ? QStringLiteral("X") : QString(), 8, Qt::AlignCenter);
    p.text(153, y, 20, 5, QStringLiteral("Refund"), 8);
    p.box(172, y, 5, 5, toPay ? QStringLiteral("X") : QString(), 8, Qt::AlignCenter);
    p.text(178, y, 20, 5, QStringLiteral("GST to pay"), 8);
    y += 8;
    p.text(15, y, 40, 5, QStringLiteral("Declaration"), 9, true);
    p.text(15, y + 5, 120, 5,
           QStringLiteral("I declare that the information given in this return is true."), 8);
    p.text(15, y + 12, 20, 5, QStringLiteral("Signature"), 8);
    p.box(35, y + 11, 70, 8, QString());
    p.text(125, y + 5, 30, 5, QStringLiteral("Office use only"), 8, true);
    p.box(125, y + 10, 70, 10, QString());
}

void paymentSlip(PageBuilder& p, const TaxCompany& co, const TaxPeriod& period,
                 const StoredReturn* figures) {
    const double y = 232;
    p.text(15, y - 4, 180, 3,
           QStringLiteral("- - - - - - - - - - - - - - - - - - - - - - - - - -"
                          " - - - - - - - - - - - - - - - - - - - - - - - -"),
           7, false, Qt::AlignCenter);
    p.text(15, y, 60, 7, QStringLiteral("Payment Slip"), 12, true);
    p.text(15, y + 9, 40, 5, QStringLiteral("Registration number"), 8);
    p.text(55, y + 9, 50, 5, co.gstNumber.trimmed(), 9, true);
    p.text(15, y + 15, 90, 5, co.busName.trimmed(), 9);
    p.text(15, y + 21, 50, 5, QStringLiteral("Return for the period ending"), 8);
    p.text(65, y + 21, 40, 5, longDay(period.end), 9);
    p.text(15, y + 27, 50, 5, QStringLiteral("This return and payment are due"), 8);
    p.text(65, y + 27, 40, 5, shortMonthDay(paymentDueDate(period.end)), 9, true);
    p.text(125, y, 70, 7, monthYear(period.end), 11, true, Qt::AlignRight | Qt::AlignVCenter);
    p.text(110, y + 9, 35, 5, QStringLiteral("Amount of payment"), 8);
    p.text(137, y + 9, 8, 7, QStringLiteral("16"), 9, true, Qt::AlignCenter);
    p.box(147, y + 9, 48, 7, figures ? formMoney(figures->gstAmount) : QString());
    p.text(110, y + 18, 85, 8,
           QStringLiteral("Copy your total from box 15 to Box 16 and include any late payment "
                          "penalties for this period only"),
           7);
    p.text(110, y + 28, 50, 5, QStringLiteral("Has payment been made electronically?"), 7);
    p.box(163, y + 28, 5, 5, QString(), 8, Qt::AlignCenter);
    p.text(169, y + 28, 8, 5, QStringLiteral("Yes"), 7);
    p.box(178, y + 28, 5, 5, QString(), 8, Qt::AlignCenter);
    p.text(184, y + 28, 8, 5, QStringLiteral("No "), 7);
}

reports::FormPage gst101Page(const TaxCompany& co, const TaxPeriod& period,
                             const StoredReturn* figures) {
    PageBuilder p;
    formHeader(p, co, period);
    formBoxes(p, co, figures);
    paymentSlip(p, co, period, figures);
    return p.take();
}

}  // namespace

QString formMoney(qint64 cents) {
    return QStringLiteral("$") + store::fmt::money(double(cents) / 100.0);
}

reports::ReportDocument gst101Document(const TaxCompany& company,
                                       const std::vector<StoredReturnRecord>& records,
                                       const TaxPeriod& period) {
    reports::ReportDocument doc;
    doc.name = QStringLiteral("GST101");
    doc.pageHeader = false;
    if (records.empty()) doc.formPages.push_back(gst101Page(company, period, nullptr));
    for (const StoredReturnRecord& r : records)
        doc.formPages.push_back(gst101Page(company, r.period, &r.figures));
    return doc;
}

}  // namespace tax
