#include "reports/selectionform.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "reports/company.h"
#include "reports/reportpreview.h"
#include "reports/selection.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

namespace reports {

SelectionForm::SelectionForm(QWidget* owner, const Captions& captions, PrintTo print)
    : ui::FormBase(owner, captions.section),
      captions_(captions),
      printTo_(print),
      body_(new QVBoxLayout),
      period_(new PeriodSelector(captions.periodLeading, captions.periodMiddle, this)),
      print_(new QPushButton(QStringLiteral("Print"), this)),
      preview_(new QPushButton(QStringLiteral("Pre&View"), this)),
      exit_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setWindowTitle(captions.caption);
    print_->setObjectName(QStringLiteral("PrintButton"));
    preview_->setObjectName(QStringLiteral("PreViewButton"));
    exit_->setObjectName(QStringLiteral("ExitButton"));
    preview_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    body_->addWidget(period_);
    layout->addLayout(body_);
    layout->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print_);
    buttons->addWidget(preview_);
    buttons->addWidget(exit_);
    layout->addLayout(buttons);
    chainTabOrder();

    connect(print_, &QPushButton::clicked, this, &SelectionForm::PrintButtonClick);
    connect(preview_, &QPushButton::clicked, this, &SelectionForm::PreViewButtonClick);
    connect(exit_, &QPushButton::clicked, this, &SelectionForm::ExitButtonClick);
}

SelectionForm::~SelectionForm() { FormClose(); }

void SelectionForm::addDepartmentSelector() {
    department_ = new DepartmentSelector(this);
    body_->addWidget(department_);
    chainTabOrder();
}

void SelectionForm::addOptionRow(const QList<QWidget*>& widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : widgets) row->addWidget(w);
    row->addStretch();
    body_->addLayout(row);
    options_ += widgets;
    chainTabOrder();
}

// Screen order: the dates, the department, the options row by row, then the buttons.
void SelectionForm::chainTabOrder() {
    QList<QWidget*> order{period_->fromBox(), period_->toBox()};
    if (department_) order += {department_->checkBox(), department_->codeEdit()};
    order += options_;
    order += {print_, preview_, exit_};
    for (int i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

store::Connection& SelectionForm::connection() {
    if (!connection_.isConnected()) {
        connection_.connect(QStringLiteral("NRV"));
        connection_.readScattered();
    }
    return connection_;
}

void SelectionForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void SelectionForm::setDefaultDates() { period_->setDefaults(); }

void SelectionForm::FormShow() {
    setDefaultDates();
    ui::guarded(this, [this] {
        setWindowTitle(captions_.caption + companyName(connection(), coyCode));
        if (department_) department_->open(connection_, coyCode);
    });
}

void SelectionForm::FormClose() {
    if (department_) department_->close();
    if (connection_.isConnected()) connection_.disconnect();
}

void SelectionForm::done(int result) {
    FormClose();
    ui::FormBase::done(result);
}

void SelectionForm::setBusy(bool busy) {
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        w->setEnabled(!busy);
}

void SelectionForm::PrintButtonClick() {
    if (printTo_ == PrintTo::Preview) {
        preview();
        return;
    }
    setBusy(true);
    ui::guarded(this, [this] {
        ReportDocument doc;
        if (prepare(&doc)) printReport(this, doc, askPrinter);
    });
    ui::guarded(this, [this] { reportDone(); });
    setBusy(false);
}

void SelectionForm::PreViewButtonClick() { preview(); }

void SelectionForm::preview() {
    setBusy(true);
    ui::guarded(this, [this] {
        QString preparing;
        std::unique_ptr<StreamedReport> streamed =
            showReport ? nullptr : streamedReport(&preparing);
        if (streamed) {
            ui::openWindow<TReportPreviewForm>(this, [&](TReportPreviewForm& w) {
                w.setWindowTitle(captions_.previewCaption);
                w.prepareWhileShowing(std::move(streamed), preparing);
            });
            return;
        }
        ReportDocument doc;
        if (!prepare(&doc)) return;
        if (showReport) {
            showReport(doc);
            return;
        }
        ui::openWindow<TReportPreviewForm>(this, [&](TReportPreviewForm& w) {
            w.setWindowTitle(captions_.previewCaption);
            w.document = doc;
        });
    });
    ui::guarded(this, [this] { reportDone(); });
    setBusy(false);
}

void SelectionForm::ExitButtonClick() { close(); }

}  // namespace reports
