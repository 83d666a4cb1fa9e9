#include "reports/alljournalentries.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "ledger/accountlists.h"
#include "reports/preparationrunner.h"
#include "reports/selection.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

namespace reports {
namespace {
const QString kPreparingJournal = QStringLiteral("Preparing the journal report...");
}

TAllJournalEntries::TAllJournalEntries(QWidget* owner)
    : SelectionForm(owner, {QStringLiteral("AllJournalEntries"),
                            QStringLiteral("Cash journal transaction reports for : "),
                            QStringLiteral("&From"), QStringLiteral("&To"),
                            QStringLiteral("Journal report")}),
      fromCheck_(new QCheckBox(QStringLiteral("E&nter 'From' date"), this)),
      acctCheck_(new QCheckBox(QStringLiteral("&Selected ledger account"), this)),
      acctLabel_(new QLabel(QStringLiteral("&Account  Code :"), this)),
      account_(new AccountCodeBox(this)),
      details_(new QCheckBox(QStringLiteral("Disp&lay Details"), this)),
      audit_(new QCheckBox(QStringLiteral("Audit re&port"), this)),
      cashOnly_(new QCheckBox(QStringLiteral("&Cash only - nonbank"), this)),
      excludeTax_(new QCheckBox(QStringLiteral("&Exclude Tax."), this)) {
    fromCheck_->setObjectName(QStringLiteral("FromCheckBox"));
    acctCheck_->setObjectName(QStringLiteral("AcctCheckBox"));
    details_->setObjectName(QStringLiteral("DetailsCheckBox"));
    audit_->setObjectName(QStringLiteral("AuditCheckBox"));
    cashOnly_->setObjectName(QStringLiteral("CashOnlyCheckBox"));
    excludeTax_->setObjectName(QStringLiteral("ExcludeTaxCheckBox"));  // kept; it changes nothing
    acctLabel_->setBuddy(account_->codeEdit());
    account_->pickAccount = [this] { return pickJournalAccount(); };
    for (QLabel* l : period()->findChildren<QLabel*>())
        if (l->buddy() == period()->fromBox()) fromLabel_ = l;

    // The frame's tab order puts the department before the options, so it comes first here too.
    addDepartmentSelector();
    addOptionRow({fromCheck_});
    addOptionRow({acctCheck_});
    // The label and the code box travel together, shown and hidden with the tick.
    auto* acctRow = new QWidget(this);
    auto* acctLayout = new QHBoxLayout(acctRow);
    acctLayout->setContentsMargins(0, 0, 0, 0);
    acctLabel_->setParent(acctRow);
    acctLayout->addWidget(acctLabel_);
    account_->setParent(acctRow);
    acctLayout->addWidget(account_, 1);
    acctRow->setFocusProxy(account_->codeEdit());
    acctRow->setMinimumWidth(420);
    addOptionRow({acctRow});
    addOptionRow({details_, audit_, cashOnly_, excludeTax_});

    connect(fromCheck_, &QCheckBox::clicked, this, &TAllJournalEntries::FromCheckBoxClick);
    connect(acctCheck_, &QCheckBox::clicked, this, &TAllJournalEntries::AcctCheckBoxClick);
    connect(audit_, &QCheckBox::clicked, this, &TAllJournalEntries::AuditCheckBoxClick);
    resize(620, 300);
}

void TAllJournalEntries::showEvent(QShowEvent* event) {
    SelectionForm::showEvent(event);
    if (opened_) return;
    opened_ = true;
    // Unlike the other reports: to today, and no from date until one is asked for.
    period()->toBox()->setDateValue(QDate::currentDate());
    fromCheck_->setChecked(false);
    details_->setChecked(true);
    FromCheckBoxClick();
    AcctCheckBoxClick();
    ui::guarded(this, [this] { account_->open(connection(), coyCode); });
}

void TAllJournalEntries::FromCheckBoxClick() {
    const bool on = fromCheck_->isChecked();
    if (on) period()->fromBox()->setDateValue(QDate::currentDate().addDays(-30));
    period()->fromBox()->setVisible(on);
    if (fromLabel_) fromLabel_->setVisible(on);
}

void TAllJournalEntries::AcctCheckBoxClick() {
    const bool on = acctCheck_->isChecked() && !audit_->isChecked();
    acctLabel_->setVisible(on);
    account_->setVisible(on);
}

void TAllJournalEntries::AuditCheckBoxClick() {
    acctCheck_->setVisible(!audit_->isChecked());
    AcctCheckBoxClick();
}

// The department's accounts when a department is chosen, else the company's.
QString TAllJournalEntries::pickJournalAccount() {
    const QString link = department()->linkCode();
    if (department()->checkBox()->isChecked() && !link.isEmpty()) {
        return ui::openWindow<TDeptAcctListForm>(
            this,
            [&](TDeptAcctListForm& w) {
                w.coyCode = coyCode;
                w.linkCode = link;
                w.selectEnabled = true;
                w.setWindowTitle(QStringLiteral("Department accounts"));
            },
            [](TDeptAcctListForm& w, int) { return w.acctCode; });
    }
    return ui::openWindow<TAcctsListForm>(
        this,
        [&](TAcctsListForm& w) {
            w.coyCode = coyCode;
            w.selectEnabled = true;
        },
        [](TAcctsListForm& w, int) { return w.acctCode; });
}

JournalTicks TAllJournalEntries::ticks() const {
    JournalTicks t;
    t.audit = audit_->isChecked();
    t.department = department()->checkBox()->isChecked();
    t.departmentFound = !department()->linkCode().isEmpty();
    t.account = acctCheck_->isChecked() && !t.audit;
    t.accountFound = account_->found();
    t.details = details_->isChecked();
    t.cashOnly = cashOnly_->isChecked();
    return t;
}

JournalRequest TAllJournalEntries::request() const {
    JournalRequest r;
    r.coy = coyCode;
    r.fromGiven = fromCheck_->isChecked();
    r.from = journalFromDate(r.fromGiven, period()->from());
    r.to = period()->to();
    r.linkCode = department()->linkCode();
    r.acctCode = account_->code();
    return r;
}

bool TAllJournalEntries::prepare(ReportDocument* doc) {
    const JournalLayout layout = chooseJournalLayout(ticks());
    if (layout == JournalLayout::None) return false;  // a department that was not found
    JournalReport report(connection(), layout, request());
    if (!prepareInSteps(this, report, kPreparingJournal)) return false;
    *doc = report.document();
    return true;
}

// The preview shows the journal's first pages while the later accounts are read.
std::unique_ptr<StreamedReport> TAllJournalEntries::streamedReport(QString* preparing) {
    const JournalLayout layout = chooseJournalLayout(ticks());
    if (layout == JournalLayout::None) return nullptr;  // prepare() says there is no report
    *preparing = kPreparingJournal;
    return std::make_unique<JournalReport>(connection(), layout, request());
}

}  // namespace reports
