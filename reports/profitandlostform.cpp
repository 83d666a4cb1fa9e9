#include "reports/profitandlostform.h"
#include "reports/company.h"

#include "reports/preparationrunner.h"
#include "reports/reportpreview.h"
#include "reports/revenue.h"
#include "reports/selection.h"
#include "store/query.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports {

TProfitandLostForm::TProfitandLostForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ProfitandLostForm")),
      period_(new PeriodSelector(QStringLiteral("Between "), QStringLiteral("and "), this)),
      department_(new DepartmentSelector(this)),
      excludeTax_(new QCheckBox(QStringLiteral("Exclude tax."), this)),
      taxableOnly_(new QCheckBox(QStringLiteral("Taxable entries only"), this)),
      print_(new QPushButton(QStringLiteral("Print"), this)),
      preview_(new QPushButton(QStringLiteral("Pre&View"), this)),
      exit_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setWindowTitle(QStringLiteral("Revenue statement for : "));
    excludeTax_->setObjectName(QStringLiteral("ExcludeTaxCheckBox"));
    taxableOnly_->setObjectName(QStringLiteral("TaxableOnlyCheckBox"));
    print_->setObjectName(QStringLiteral("PrintButton"));
    preview_->setObjectName(QStringLiteral("PreViewButton"));
    exit_->setObjectName(QStringLiteral("ExitButton"));
    preview_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period_);
    layout->addWidget(department_);
    auto* options = new QHBoxLayout;
    options->addWidget(excludeTax_);
    options->addWidget(taxableOnly_);
    options->addStretch();
    layout->addLayout(options);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(preview_);
    buttons->addWidget(exit_);
    layout->addLayout(buttons);
    resize(560, 200);

    setTabOrder(period_->fromBox(), period_->toBox());
    setTabOrder(period_->toBox(), department_->checkBox());
    setTabOrder(department_->checkBox(), department_->codeEdit());
    setTabOrder(department_->codeEdit(), excludeTax_);
    setTabOrder(excludeTax_, taxableOnly_);
    setTabOrder(taxableOnly_, print_);
    setTabOrder(print_, preview_);
    setTabOrder(preview_, exit_);

    connect(print_, &QPushButton::clicked, this, &TProfitandLostForm::PrintButtonClick);
    connect(preview_, &QPushButton::clicked, this, &TProfitandLostForm::PreViewButtonClick);
    connect(exit_, &QPushButton::clicked, this, &TProfitandLostForm::ExitButtonClick);
}

TProfitandLostForm::~TProfitandLostForm() { FormClose(); }

void TProfitandLostForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TProfitandLostForm::FormShow() {
    period_->setDefaults();
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Revenue statement for : ") +
                       reports::companyName(connection_, coyCode));
        department_->open(connection_, coyCode);
    });
}

void TProfitandLostForm::FormClose() {
    department_->close();
    if (connection_.isConnected()) connection_.disconnect();
}

void TProfitandLostForm::done(int result) {
    FormClose();
    ui::FormBase::done(result);
}

void TProfitandLostForm::setBusy(bool busy) {
    for (QWidget* w : {static_cast<QWidget*>(print_), static_cast<QWidget*>(preview_),
                       static_cast<QWidget*>(exit_), static_cast<QWidget*>(period_),
                       static_cast<QWidget*>(department_), static_cast<QWidget*>(excludeTax_),
                       static_cast<QWidget*>(taxableOnly_)})
        w->setEnabled(!busy);
}

bool TProfitandLostForm::prepare(ReportDocument* doc) {
    if (!connection_.isConnected()) connection_.connect(QStringLiteral("NRV"));
    const RevenueOptions options{excludeTax_->isChecked(), taxableOnly_->isChecked()};
    TBusinessRevenueReport report(connection_, coyCode, department_->linkCode(), period_->from(),
                                  period_->to(), options);
    if (!prepareInSteps(this, report, QStringLiteral("Preparing the revenue statement...")))
        return false;
    *doc = report.document();
    return true;
}

void TProfitandLostForm::PrintButtonClick() {
    setBusy(true);
    ui::guarded(this, [this] {
        ReportDocument doc;
        if (prepare(&doc)) printReport(this, doc, askPrinter);
    });
    setBusy(false);
}

void TProfitandLostForm::PreViewButtonClick() {
    setBusy(true);
    ui::guarded(this, [this] {
        ReportDocument doc;
        if (!prepare(&doc)) return;
        if (showReport) {
            showReport(doc);
            return;
        }
        ui::openWindow<TReportPreviewForm>(this, [&](TReportPreviewForm& w) {
            w.setWindowTitle(QStringLiteral("Revenue statement"));
            w.document = doc;
        });
    });
    setBusy(false);
}

void TProfitandLostForm::ExitButtonClick() { close(); }

}  // namespace reports
