#include "payments/cheque_print.h"

#include "payments/amount_words.h"
#include "payments/suppliers.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"

namespace payments {

namespace {

// A regular supplier's business name through the payment's SUPPCOY; a miscellaneous payee's
// typed name (the "MISC" of a payment without one is no name).
QString paymentPayee(store::Connection& connection, const store::Query& header) {
    const QString supplier = header.text(QStringLiteral("SUPPLIER")).trimmed();
    if (header.text(QStringLiteral("SUPPTYPE")).trimmed() == QLatin1String("REG")) {
        const auto found = supplierByKey(connection, header.text(QStringLiteral("SUPPCOY")));
        return found ? found->details.busName.trimmed() : QString();
    }
    return supplier == QLatin1String(store::keys::kMiscSupplier) ? QString() : supplier;
}

reports::FormField chequeField(const QRectF& mm, const QString& text, Qt::Alignment align) {
    reports::FormField f;
    f.mm = mm;
    f.text = text;
    f.pointSize = 12;
    f.bold = true;
    f.align = align;
    return f;
}

}  // namespace

std::optional<ChequeFace> readChequeFace(store::Connection& connection, int coy, qint64 tranNum) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT * FROM QVCHHDR H"),
                         QStringLiteral("WHERE H.COYCODE =:sCoyCode"),
                         QStringLiteral("AND H.TRANNUM =:sChequeNo")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sChequeNo"), tranNum);
    q.open();
    if (q.eof()) return std::nullopt;
    ChequeFace face;
    face.date = q.date(QStringLiteral("CHQDATE"));
    face.amount = q.number(QStringLiteral("AMOUNT"));
    face.payee = paymentPayee(connection, q);
    face.words = amountInWords(face.amount);
    return face;
}

QString chequeDate(const QDate& date) { return date.toString(QStringLiteral("dd MM yyyy")); }

reports::ReportDocument chequeDocument(const ChequeFace& face) {
    reports::ReportDocument doc;
    doc.name = QStringLiteral("Cheque");
    doc.orientation = QPageLayout::Landscape;
    doc.paperMm = QSizeF(ChequeLayout::kWidthMm, ChequeLayout::kHeightMm);
    doc.pageHeader = false;
    reports::FormPage page;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    page.fields = {chequeField(ChequeLayout::date(), chequeDate(face.date), right),
                   chequeField(ChequeLayout::payee(), face.payee, left),
                   chequeField(ChequeLayout::amount(), store::fmt::money(face.amount), right),
                   chequeField(ChequeLayout::words(), face.words, Qt::AlignLeft | Qt::AlignTop)};
    doc.formPages.push_back(page);
    return doc;
}

}  // namespace payments
