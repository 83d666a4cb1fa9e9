#include "reports/transauditdiaform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "reports/journal.h"
#include "reports/preparationrunner.h"
#include "reports/reportpreview.h"
#include "reports/transauditsettings.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

TQVDetailedTransAuditDiaForm::TQVDetailedTransAuditDiaForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVDetailedTransAuditDiaForm")),
      fromCheck_(new QCheckBox(QStringLiteral("Enter 'From' &date"), this)),
      fromLabel_(new QLabel(QStringLiteral("&From"), this)),
      from_(new ui::DateBox(this)),
      to_(new ui::DateBox(this)),
      daysLabel_(new QLabel(QStringLiteral("Days between dates"), this)),
      days_(new QSpinBox(this)),
      print_(new QPushButton(QStringLiteral("Print"), this)),
      preview_(new QPushButton(QStringLiteral("Pre&View"), this)),
      close_(new QPushButton(QStringLiteral("Close"), this)) {
    setWindowTitle(QStringLiteral("Bank transaction audit for : "));
    fromCheck_->setObjectName(QStringLiteral("FromCheckBox"));
    from_->setObjectName(QStringLiteral("FromDate"));
    to_->setObjectName(QStringLiteral("ToDate"));
    days_->setObjectName(QStringLiteral("DaysSpinBox"));
    days_->setRange(1, 3660);  // a days value below 1 is taken as 1
    print_->setObjectName(QStringLiteral("PrintButton"));
    preview_->setObjectName(QStringLiteral("PreViewButton"));
    close_->setObjectName(QStringLiteral("CloseButton"));
    preview_->setDefault(true);
    fromLabel_->setBuddy(from_);
    daysLabel_->setBuddy(days_);
    auto* toLabel = new QLabel(QStringLiteral("&To"), this);
    toLabel->setBuddy(to_);

    auto* grid = new QGridLayout;
    grid->addWidget(fromCheck_, 0, 0, 1, 4);
    grid->addWidget(fromLabel_, 1, 0);
    grid->addWidget(from_, 1, 1);
    grid->addWidget(daysLabel_, 1, 2);
    grid->addWidget(days_, 1, 3);
    grid->addWidget(toLabel, 2, 0);
    grid->addWidget(to_, 2, 1);
    grid->setColumnStretch(4, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {print_, preview_, close_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(fromCheck_, from_);
    setTabOrder(from_, days_);
    setTabOrder(days_, to_);
    setTabOrder(to_, print_);
    setTabOrder(print_, preview_);
    setTabOrder(preview_, close_);

    connect(fromCheck_, &QCheckBox::toggled, this,
            &TQVDetailedTransAuditDiaForm::FromCheckBoxClick);
    connect(from_, &QDateEdit::dateChanged, this, &TQVDetailedTransAuditDiaForm::followFromDate);
    connect(days_, &QSpinBox::valueChanged, this, &TQVDetailedTransAuditDiaForm::followFromDate);
    connect(print_, &QPushButton::clicked, this, &TQVDetailedTransAuditDiaForm::PrintButtonClick);
    connect(preview_, &QPushButton::clicked, this,
            &TQVDetailedTransAuditDiaForm::PreViewButtonClick);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    FromCheckBoxClick();
    resize(440, 170);
}

TQVDetailedTransAuditDiaForm::~TQVDetailedTransAuditDiaForm() {
    if (connection_.isConnected()) connection_.disconnect();
}

void TQVDetailedTransAuditDiaForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVDetailedTransAuditDiaForm::FormShow() {
    setWindowTitle(QStringLiteral("Bank transaction audit for : ") + titleText);
    const reports::TransAuditSettings s =
        reports::readTransAuditSettings(reports::reportSettingsPath());
    const reports::TransAuditDates dates = reports::transAuditOpeningDates(s, QDate::currentDate());
    // The stored values are taken as they are; the to date follows only later changes.
    const QSignalBlocker blockDays(days_), blockFrom(from_);
    days_->setValue(s.days);
    from_->setDateValue(dates.from);
    to_->setDateValue(dates.to);
}

void TQVDetailedTransAuditDiaForm::FromCheckBoxClick() {
    const bool on = fromCheck_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{fromLabel_, from_, daysLabel_, days_})
        w->setVisible(on);
}

void TQVDetailedTransAuditDiaForm::followFromDate() {
    to_->setDateValue(reports::transAuditToDate(from_->dateValue(), days_->value()));
}

namespace {

const QString kPreparingTransAudit = QStringLiteral("Preparing the transaction audit...");

}  // namespace

reports::JournalRequest TQVDetailedTransAuditDiaForm::request() {
    if (!connection_.isConnected()) connection_.connect(QStringLiteral("NRV"));
    reports::JournalRequest r;
    r.coy = coyCode;
    r.fromGiven = fromCheck_->isChecked();
    r.from = reports::journalFromDate(r.fromGiven, from_->dateValue());
    r.to = to_->dateValue();
    r.bankAcctNo = acctNo;
    r.bankTitle = titleText;
    return r;
}

bool TQVDetailedTransAuditDiaForm::prepare(reports::ReportDocument* doc) {
    reports::TTransactionAuditRptForm report(connection_, request());
    if (!reports::prepareInSteps(this, report, kPreparingTransAudit)) return false;
    *doc = report.document();
    return true;
}

void TQVDetailedTransAuditDiaForm::PrintButtonClick() {
    ui::guarded(this, [this] {
        reports::ReportDocument doc;
        if (prepare(&doc)) reports::printReport(this, doc, askPrinter);
    });
}

// The preview shows the first pages while the rest of a long account is still being read.
void TQVDetailedTransAuditDiaForm::PreViewButtonClick() {
    ui::guarded(this, [this] {
        if (showReport) {
            reports::ReportDocument doc;
            if (prepare(&doc)) showReport(doc);
            return;
        }
        auto report = std::make_unique<reports::TTransactionAuditRptForm>(connection_, request());
        ui::openWindow<reports::TReportPreviewForm>(this, [&](reports::TReportPreviewForm& w) {
            w.setWindowTitle(QStringLiteral("Bank transaction audit"));
            w.prepareWhileShowing(std::move(report), kPreparingTransAudit);
        });
    });
}

void TQVDetailedTransAuditDiaForm::FormClose() {
    if (closed_ || !shown_) return;
    closed_ = true;
    ui::guarded(this, [this] {
        reports::writeTransAuditSettings(reports::reportSettingsPath(), days_->value(),
                                         from_->dateValue());
    });
    if (connection_.isConnected()) connection_.disconnect();
}

void TQVDetailedTransAuditDiaForm::done(int result) {
    FormClose();
    ui::FormBase::done(result);
}
