#include "budgets/businessplanform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "budgets/budget_plan.h"
#include "ledger/company.h"
#include "reports/reportpreview.h"
#include "reports/selection.h"
#include "store/format.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

TBusinessPlanForm::TBusinessPlanForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("BusinessPlanForm")) {
    setObjectName(QStringLiteral("BusinessPlanForm"));
    auto* layout = new QVBoxLayout(this);
    auto* type = new QGroupBox(QStringLiteral(" Select Type "), this);
    type->setObjectName(QStringLiteral("SelectTypeGroup"));
    typeGroup_ = new QButtonGroup(type);
    auto* typeRow = new QHBoxLayout(type);
    const QStringList captions = {"&Active", "&Trial", "&Inactive"};
    for (int i = 0; i < captions.size(); ++i) {
        auto* r = new QRadioButton(captions[i], type);
        r->setObjectName(QStringLiteral("TypeRadio") + QString::number(i));
        typeGroup_->addButton(r, i);
        typeRow->addWidget(r);
    }
    layout->addWidget(type);
    auto* dates = new QHBoxLayout;
    beginDate_ = new ui::DateBox(this);
    beginDate_->setObjectName(QStringLiteral("BeginDate"));
    endDate_ = new ui::DateBox(this);
    endDate_->setObjectName(QStringLiteral("EndDate"));
    auto* bl = new QLabel(QStringLiteral("&Beginning Date:"), this);
    bl->setBuddy(beginDate_);
    auto* el = new QLabel(QStringLiteral("&End Date :"), this);
    el->setBuddy(endDate_);
    dates->addWidget(bl);
    dates->addWidget(beginDate_);
    dates->addWidget(el);
    dates->addWidget(endDate_);
    layout->addLayout(dates);
    department_ = new reports::DepartmentSelector(this);
    department_->checkBox()->setText(QStringLiteral("B&y department"));
    layout->addWidget(department_);
    domestic_ = new QCheckBox(QStringLiteral("All accounts - in&cluding domestic"), this);
    domestic_->setObjectName(QStringLiteral("DomesticCheck"));
    summary_ = new QCheckBox(QStringLiteral("&Summary only"), this);
    summary_->setObjectName(QStringLiteral("SummaryCheck"));
    layout->addWidget(domestic_);
    layout->addWidget(summary_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    preview_ = new QPushButton(QStringLiteral("Pre&view"), this);
    preview_->setObjectName(QStringLiteral("PreviewButton"));
    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("PrintButton"));
    exit_ = new QPushButton(QStringLiteral("E&xit"), this);
    exit_->setObjectName(QStringLiteral("ExitButton"));
    for (QPushButton* b : {preview_, print_, exit_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(preview_, &QPushButton::clicked, this, &TBusinessPlanForm::PreviewButtonClick);
    connect(print_, &QPushButton::clicked, this, &TBusinessPlanForm::PrintButtonClick);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(beginDate_, &QDateEdit::dateChanged, this,
            [this](const QDate& d) { endDate_->setDateValue(d.addDays(364)); });
    resize(520, 300);
}

TBusinessPlanForm::~TBusinessPlanForm() = default;

void TBusinessPlanForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (shown_) return;
    shown_ = true;
    typeGroup_->button(0)->setChecked(true);
    domestic_->setChecked(false);
    summary_->setChecked(false);
    beginDate_->setDateValue(store::fmt::financialYearStart(today));
    endDate_->setDateValue(store::fmt::financialYearStart(today).addDays(364));
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Business Plan report for : ") +
                       ledger::companyName(connection_, coyCode).trimmed());
        department_->open(connection_, coyCode);
    });
}

void TBusinessPlanForm::done(int result) {
    department_->close();
    connection_.disconnect();
    ui::FormBase::done(result);
}

QString TBusinessPlanForm::selectType() const {
    static const char* const held[] = {"ACT", "TRIAL", "IN"};
    return QString::fromLatin1(held[std::max(0, typeGroup_->checkedId())]);
}

budgets::BusinessPlanOptions TBusinessPlanForm::choices() const {
    budgets::BusinessPlanOptions o;
    o.coy = coyCode;
    o.linkCode = department_->linkCode();
    o.from = beginDate_->dateValue();
    o.to = endDate_->dateValue();
    const QString statuses[] = {budgets::kActive, budgets::kTrial, budgets::kInactive};
    o.status = statuses[std::max(0, typeGroup_->checkedId())];
    o.includeDomestic = domestic_->isChecked();
    o.summaryOnly = summary_->isChecked();
    return o;
}

reports::ReportDocument TBusinessPlanForm::prepare() {
    const budgets::BusinessPlanOptions o = choices();
    budgets::TBusinessPlanReportForm report(connection_, QString::number(coyCode), o.linkCode, o);
    return report.document();
}

void TBusinessPlanForm::PreviewButtonClick() {
    ui::guarded(this, [this] {
        const reports::ReportDocument doc = prepare();
        if (showReport) return showReport(doc);
        ui::openWindow<reports::TReportPreviewForm>(this, [&](reports::TReportPreviewForm& w) {
            w.setWindowTitle(QStringLiteral("Business plan"));
            w.document = doc;
        });
    });
}

void TBusinessPlanForm::PrintButtonClick() {
    ui::guarded(this, [this] { reports::printReport(this, prepare(), askPrinter); });
}
