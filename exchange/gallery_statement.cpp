// The statement import window in the gallery, over the demo company with a short Westpac
// statement loaded and its bank chosen.
#include <QComboBox>
#include <QFile>
#include <QTableView>

#include "banking/bank_entry_reads.h"
#include "banking/sample_company.h"
#include "exchange/csvmappingform.h"
#include "exchange/getbankasciifile.h"
#include "exchange/importtextform.h"
#include "exchange/statement_grid.h"
#include "ui/gallery.h"

namespace gallery {

namespace {

const char* const kGalleryWestpacStatement =
    "Date,Amount,Other Party,Reference\r\n"
    "01/03/2026,1250.00,\"CAFE TAKINGS, EFTPOS\",\"SETTLEMENT\"\r\n"
    "02/03/2026,-86.40,\"COUNTDOWN PONSONBY\",\"EFTPOS\"\r\n"
    "03/03/2026,-420.00,\"CHEQUE\",\"000214\"\r\n"
    "04/03/2026,-12.50,\"MONTHLY ACCOUNT FEE\",\"\"\r\n"
    "05/03/2026,3.17,\"CREDIT INTEREST\",\"\"\r\n"
    "06/03/2026,-1150.00,\"HARBOUR PROPERTIES RENT\",\"MARCH\"\r\n"
    "07/03/2026,980.25,\"CAFE TAKINGS, EFTPOS\",\"SETTLEMENT\"\r\n";

const char* const kGalleryCsvStatement =
    "Date,Details,Particulars,Debit,Credit,Reference\r\n"
    "01/03/2026,\"CAFE TAKINGS, EFTPOS\",SETTLEMENT,,1250.00,S1\r\n"
    "02/03/2026,COUNTDOWN PONSONBY,EFTPOS,86.40,,\r\n"
    "04/03/2026,MONTHLY ACCOUNT FEE,,12.50,,\r\n"
    "05/03/2026,CREDIT INTEREST,,,3.17,\r\n"
    "06/03/2026,HARBOUR PROPERTIES RENT,MARCH,1150.00,,R0306\r\n";

}  // namespace

void registerStatementWindows() {
    add(QStringLiteral("TImportTextForm"), [](Context& ctx) -> QWidget* {
        if (!banking::defaultBankAccount(ctx.connection, ctx.coy))
            banking::sample::makeDemoCompany(ctx.connection, QDate::currentDate());
        const QString path = ctx.dataFolder + QStringLiteral("/westpac-statement.csv");
        QFile f(path);
        if (f.open(QIODevice::WriteOnly)) f.write(kGalleryWestpacStatement);
        f.close();
        auto* w = new TImportTextForm;
        w->coyCode = ctx.coy;
        w->loadStatementFile(path);
        w->findChild<QComboBox*>(QStringLiteral("BankCombo"))
            ->setCurrentText(QStringLiteral("Westpac"));
        w->grid()->setCurrentIndex(w->gridModel()->index(2, 1));
        return w;
    });
    add(QStringLiteral("TCsvMappingForm"), [](Context&) -> QWidget* {
        auto* w = new TCsvMappingForm;
        exchange::CsvMapping m;
        m.amounts = exchange::CsvAmounts::DebitCredit;
        m.debitColumn = 4;
        m.creditColumn = 5;
        m.descriptionColumns = {2, 3};
        m.referenceColumn = 6;
        w->setMapping(m);
        w->setSample(QString::fromUtf8(kGalleryCsvStatement));
        return w;
    });
    add(QStringLiteral("TGetBankAsciiFile"), [](Context& ctx) -> QWidget* {
        QFile f(ctx.dataFolder + QStringLiteral("/westpac-statement.csv"));
        if (f.open(QIODevice::WriteOnly)) f.write(kGalleryWestpacStatement);
        auto* w = new TGetBankAsciiFile;
        w->folder = ctx.dataFolder;
        return w;
    });
}

}  // namespace gallery
