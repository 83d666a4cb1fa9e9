// The exchange windows in the gallery: the export with the Accomplish codes showing, the import
// on the first company, and the error log of an import that skipped lines already in the books.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTimer>

#include "exchange/exportnrvform.h"
#include "exchange/import_nrv.h"
#include "exchange/importnrvform.h"
#include "ui/gallery.h"

namespace gallery {

void registerExchangeWindows() {
    add(QStringLiteral("TExportNRVForm"), [](Context& ctx) -> QWidget* {
        auto* w = new TExportNRVForm;
        w->coyCode = ctx.coy;
        QTimer::singleShot(0, w, [w] {
            if (auto* list = w->findChild<QComboBox*>(QStringLiteral("FormatList")))
                list->setCurrentIndex(5);
            if (auto* tick = w->findChild<QCheckBox*>(QStringLiteral("BalanceCheck")))
                tick->setChecked(true);
        });
        return w;
    });
    add(QStringLiteral("TImportNRVForm"), [](Context&) -> QWidget* { return new TImportNRVForm; });
    add(QStringLiteral("TErrorLogForm"), [](Context& ctx) -> QWidget* {
        exchange::ImportOutcome sample;
        sample.log = {QStringLiteral("Could not import transaction no.  1000412"),
                      QStringLiteral("Transaction no.  1000413, account RENT, line 0 is already in "
                                     "the books and was not imported again.")};
        sample.errors = 2;
        const QString path = ctx.dataFolder + QStringLiteral("/NRVErr-gallery.txt");
        exchange::writeImportErrors(path, sample);
        auto* w = new TErrorLogForm;
        w->errorFile = path;
        return w;
    });
}

}  // namespace gallery
