#include "reports/trialbalanceform.h"
#include "reports/company.h"

#include "reports/preparationrunner.h"
#include "reports/reportpreview.h"
#include "reports/selection.h"
#include "reports/trialbalance.h"
#include "ui/datebox.h"
#include "store/query.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace reports {

TTrialBalanceForm::TTrialBalanceForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("TrialBalanceForm")),
      period_(new PeriodSelector(QStringLiteral("For the period"), QStringLiteral("to"), this)),
      print_(new QPushButton(QStringLiteral("Print"), this)),
      preview_(new QPushButton(QStringLiteral("Pre&View"), this)),
      exit_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setWindowTitle(QStringLiteral("Trial balance for : "));
    print_->setObjectName(QStringLiteral("PrintButton"));
    preview_->setObjectName(QStringLiteral("PreViewButton"));
    exit_->setObjectName(QStringLiteral("ExitButton"));
    preview_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period_);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(preview_);
    buttons->addWidget(exit_);
    layout->addLayout(buttons);
    resize(430, 120);

    setTabOrder(period_->fromBox(), period_->toBox());
    setTabOrder(period_->toBox(), print_);
    setTabOrder(print_, preview_);
    setTabOrder(preview_, exit_);

    connect(print_, &QPushButton::clicked, this, &TTrialBalanceForm::PrintButtonClick);
    connect(preview_, &QPushButton::clicked, this, &TTrialBalanceForm::PreViewButtonClick);
    connect(exit_, &QPushButton::clicked, this, &TTrialBalanceForm::ExitButtonClick);
}

TTrialBalanceForm::~TTrialBalanceForm() { FormClose(); }

void TTrialBalanceForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TTrialBalanceForm::FormShow() {
    period_->setDefaults();
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Trial balance for : ") + reports::companyName(connection_, coyCode));
    });
}

void TTrialBalanceForm::FormClose() {
    if (connection_.isConnected()) connection_.disconnect();
}

void TTrialBalanceForm::done(int result) {
    FormClose();
    ui::FormBase::done(result);
}

void TTrialBalanceForm::setBusy(bool busy) {
    for (QWidget* w : {static_cast<QWidget*>(print_), static_cast<QWidget*>(preview_),
                       static_cast<QWidget*>(exit_), static_cast<QWidget*>(period_)})
        w->setEnabled(!busy);
}

// "Print" and "Pre&View" do the same: the report goes to the preview, which prints.
void TTrialBalanceForm::PrintButtonClick() { previewReport(); }
void TTrialBalanceForm::PreViewButtonClick() { previewReport(); }

void TTrialBalanceForm::previewReport() {
    setBusy(true);
    ui::guarded(this, [this] {
        if (!connection_.isConnected()) connection_.connect(QStringLiteral("NRV"));
        const QDate from = period_->from(), to = period_->to();
        const BroughtForward carried = broughtForward(connection_, coyCode, from, to);
        TTrialBalanceReport report(connection_, coyCode, from, to, carried);
        if (!prepareInSteps(this, report, QStringLiteral("Preparing the trial balance..."))) return;
        const ReportDocument doc = report.document();
        if (showReport) {
            showReport(doc);
            return;
        }
        ui::openWindow<TReportPreviewForm>(this, [&](TReportPreviewForm& w) {
            w.setWindowTitle(QStringLiteral("Trial balance"));
            w.document = doc;
        });
    });
    setBusy(false);
}

void TTrialBalanceForm::ExitButtonClick() { close(); }

}  // namespace reports
