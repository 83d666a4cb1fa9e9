// The windows of the application shell in the gallery.
#include "ui/gallery.h"

#include "app/aboutbox.h"
#include "app/archiveform.h"
#include "app/clearprevyearform.h"
#include "app/dbrebuildform.h"
#include "app/rebuildindexform.h"
#include "app/restorearchiveform.h"
#include "app/controlcentre.h"
#include "app/launchers.h"
#include "app/mainform.h"
#include "app/wizardform.h"

#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace gallery {

// Kept in the library beside the registrations that fill it, so that a program linking any of
// them (also when the library is compiled in batches) finds the list.
std::vector<Entry>& entries()
{
    static std::vector<Entry> list;
    return list;
}

namespace {

// The wizard once "I agree" was pressed and the pages up to `page` were reached.
QWidget* wizardAt(int page)
{
    auto* w = new TQVWizardForm;
    QTimer::singleShot(0, w, [w, page] {
        for (int p = 0; p <= page; ++p)
            w->pages()->setTabEnabled(p, true);
        w->pages()->setCurrentIndex(page);
    });
    return w;
}

}  // namespace

void registerAppWindows()
{
    // A data folder never set up shows "Name" without asking for the wizard.
    add(QStringLiteral("TQVMainForm"),
        [](Context&) { return new TQVMainForm(nullptr, TQVMainForm::Startup::WithoutWizard); });
    add(QStringLiteral("TQVOpsForm"), [](Context& c) {
        auto* w = new TQVOpsForm;
        w->coyCode = c.coy;
        w->coyActive = true;
        return w;
    });
    add(QStringLiteral("TQVBankMenuForm"), [](Context& c) {
        auto* w = new TQVBankMenuForm;
        w->setWindowTitle(app::captions::bankOperationsFor(c.coyName));
        w->coyCode = c.coy;
        w->coyActive = true;
        w->coyName = c.coyName;
        return w;
    });
    add(QStringLiteral("TQVReportsForm"), [](Context& c) {
        auto* w = new TQVReportsForm;
        w->coyCode = c.coy;
        return w;
    });
    add(QStringLiteral("TQVToolsForm"), [](Context&) { return new TQVToolsForm; });
    add(QStringLiteral("TQVSetupForm"), [](Context& c) {
        auto* w = new TQVSetupForm;
        w->setWindowTitle(app::captions::setupFor(c.coyName));
        w->coyCode = c.coy;
        return w;
    });
    add(QStringLiteral("TQVWizardForm"), [](Context&) { return new TQVWizardForm; });
    add(QStringLiteral("TQVWizardForm-page0"), [](Context&) { return wizardAt(0); });
    add(QStringLiteral("TQVWizardForm-page1"), [](Context&) { return wizardAt(1); });
    add(QStringLiteral("TQVWizardForm-page2"), [](Context&) { return wizardAt(2); });
    add(QStringLiteral("TAboutBox"), [](Context&) { return new TAboutBox; });
    add(QStringLiteral("TQVCoyOpsForm"), [](Context&) { return new TQVCoyOpsForm; });
    add(QStringLiteral("TQVArchiveForm"), [](Context&) { return new TQVArchiveForm; });
    add(QStringLiteral("TRestoreArchiveForm"), [](Context&) { return new TRestoreArchiveForm; });
    add(QStringLiteral("TRebuildIndexForm"), [](Context&) { return new TRebuildIndexForm; });
    add(QStringLiteral("TNRVDBRebuildForm"), [](Context&) { return new TNRVDBRebuildForm; });
    add(QStringLiteral("TClearPrevYearForm"), [](Context&) { return new TClearPrevYearForm; });
}

}  // namespace gallery
