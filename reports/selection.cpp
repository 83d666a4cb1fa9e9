#include "reports/selection.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "store/format.h"
#include "store/query.h"
#include "store/table.h"
#include "ui/codebox.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/navigator.h"
#include "ui/pickerkey.h"

namespace reports {

// ---- PeriodSelector -------------------------------------------------------------------------

PeriodSelector::PeriodSelector(const QString& leading, const QString& middle, QWidget* parent)
    : QWidget(parent), from_(new ui::DateBox(this)), to_(new ui::DateBox(this)) {
    from_->setObjectName(QStringLiteral("FromDate"));
    to_->setObjectName(QStringLiteral("ToDate"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* lead = new QLabel(leading, this);
    lead->setBuddy(from_);
    row->addWidget(lead);
    row->addWidget(from_);
    auto* mid = new QLabel(middle, this);
    mid->setBuddy(to_);
    row->addWidget(mid);
    row->addWidget(to_);
    row->addStretch();
    setDefaults();
}

void PeriodSelector::setDefaults(const QDate& today) {
    from_->setDateValue(store::fmt::financialYearStart(today));
    to_->setDateValue(today);
}

QDate PeriodSelector::from() const { return from_->dateValue(); }
QDate PeriodSelector::to() const { return to_->dateValue(); }

// ---- DepartmentSelector ---------------------------------------------------------------------

DepartmentSelector::DepartmentSelector(QWidget* parent)
    : QWidget(parent),
      check_(new QCheckBox(QStringLiteral("&Report for Specific Department"), this)),
      codeLabel_(new QLabel(QStringLiteral("&Department Code :"), this)),
      code_(new QLineEdit(this)),
      navigator_(new ui::Navigator(this)),
      name_(new QLabel(this)) {
    check_->setObjectName(QStringLiteral("DeptCheckBox"));
    code_->setObjectName(QStringLiteral("DeptEdit"));
    code_->setMaxLength(10);
    ui::makeCodeBox(code_);
    navigator_->setObjectName(QStringLiteral("DeptNavigator"));
    name_->setObjectName(QStringLiteral("DeptNameLabel"));
    name_->setMinimumWidth(220);
    codeLabel_->setBuddy(code_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(check_);
    auto* row = new QHBoxLayout;
    row->addWidget(codeLabel_);
    row->addWidget(code_);
    row->addWidget(navigator_);
    row->addWidget(name_, 1);
    layout->addLayout(row);

    connect(check_, &QCheckBox::clicked, this, &DepartmentSelector::DeptCheckBoxClick);
    connect(code_, &QLineEdit::textChanged, this, &DepartmentSelector::DeptEditChange);
    connect(navigator_, &ui::Navigator::moved, this, &DepartmentSelector::showCurrentDepartment);
    setDetailsVisible(false);
}

DepartmentSelector::~DepartmentSelector() { close(); }

void DepartmentSelector::open(store::Connection& connection, int coy) {
    connection_ = &connection;
    coy_ = coy;
    departments_ = std::make_unique<store::Table>(connection, QStringLiteral("QVCoy.DBF"));
    departments_->setIndexName(QStringLiteral("COYCODE"));
    departments_->setMasterRange(QStringLiteral("COYCODE"), coy);
    departments_->open();
    navigator_->setTable(departments_.get());
}

void DepartmentSelector::close() {
    navigator_->setTable(nullptr);
    departments_.reset();
    connection_ = nullptr;
}

QString DepartmentSelector::linkCode() const {
    return check_->isChecked() && selected_ ? link_ : QString();
}

void DepartmentSelector::setDetailsVisible(bool visible) {
    codeLabel_->setVisible(visible);
    code_->setVisible(visible);
    navigator_->setVisible(visible);
    name_->setVisible(visible);
}

void DepartmentSelector::DeptCheckBoxClick() {
    const bool on = check_->isChecked();
    setDetailsVisible(on);
    if (on) showCurrentDepartment();
}

void DepartmentSelector::showCurrentDepartment() {
    if (!departments_ || departments_->isEmpty()) return;
    const QString code = departments_->text(QStringLiteral("DEPTCODE"));
    if (code_->text() == code)
        DeptEditChange();  // the same text: no change signal, but the department is taken again
    else
        code_->setText(code);
}

void DepartmentSelector::DeptEditChange() {
    const QString code = code_->text().trimmed();
    if (code.isEmpty() || !connection_) return;
    ui::guarded(this, [&] {
        store::Query q(*connection_);
        q.setSql({"SELECT LINKCODE, BUSNAME FROM QVCOY", "WHERE COYCODE =:iCoyCode",
                  "AND DEPTCODE =:sDeptCode"});
        q.bind("iCoyCode", coy_);
        q.bind("sDeptCode", code);
        q.open();
        if (q.eof()) {
            selected_ = false;
            link_.clear();
            name_->setText(QStringLiteral("Cannot find this department."));
        } else {
            selected_ = true;
            link_ = q.text("LINKCODE");
            name_->setText(q.text("BUSNAME"));
        }
    });
}

// ---- AccountCodeBox -------------------------------------------------------------------------

AccountCodeBox::AccountCodeBox(QWidget* parent)
    : QWidget(parent),
      code_(new QLineEdit(this)),
      pick_(new QToolButton(this)),
      name_(new QLabel(this)) {
    code_->setObjectName(QStringLiteral("AcctEdit"));
    code_->setMaxLength(15);
    pick_->setObjectName(QStringLiteral("AcctPickButton"));
    pick_->setText(QStringLiteral("..."));
    pick_->setToolTip(QStringLiteral("List/select cash journal codes"));
    name_->setObjectName(QStringLiteral("AcctNameLabel"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(code_);
    row->addWidget(pick_);
    ui::openPickerWithAltDown(code_, pick_);
    row->addWidget(name_, 1);
    connect(code_, &QLineEdit::textChanged, this, &AccountCodeBox::AcctEditChange);
    connect(pick_, &QToolButton::clicked, this, &AccountCodeBox::AcctPickButtonClick);
}

void AccountCodeBox::open(store::Connection& connection, int coy) {
    connection_ = &connection;
    coy_ = coy;
}

QString AccountCodeBox::code() const { return code_->text().trimmed(); }

void AccountCodeBox::AcctEditChange() {
    const QString code = this->code();
    if (code.isEmpty() || !connection_) {
        found_ = false;
        name_->clear();
        return;
    }
    ui::guarded(this, [&] {
        store::Query q(*connection_);
        q.setSql(
            {"SELECT DESCR FROM QVACCDET", "WHERE COYCODE =:sCoyCode", "AND ACCTCODE =:sAcctCode"});
        q.bind("sCoyCode", QString::number(coy_));
        q.bind("sAcctCode", code);
        q.open();
        found_ = !q.eof();
        name_->setText(found_ ? q.text("DESCR") : notFoundText);
    });
}

void AccountCodeBox::AcctPickButtonClick() {
    const QString chosen = pickAccount ? pickAccount() : pickFromList();
    if (!chosen.isEmpty()) code_->setText(chosen);
}

QString AccountCodeBox::pickFromList() {
    if (!connection_) return {};
    QDialog dialog(window());
    dialog.setObjectName(QStringLiteral("AccountListDialog"));
    dialog.setWindowTitle(QStringLiteral("Select an account"));
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("AccountList"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    const bool ok = ui::guarded(this, [&] {
        store::Query q(*connection_);
        q.setSql({"SELECT ACCTCODE, DESCR FROM QVACCDET", "WHERE COYCODE =:sCoyCode",
                  "AND ACTACTIVE = 1", "ORDER BY ACCTCODE"});
        q.bind("sCoyCode", QString::number(coy_));
        q.open();
        for (; !q.eof(); q.next()) {
            auto* item = new QListWidgetItem(q.text("ACCTCODE") + "  " + q.text("DESCR"), list);
            item->setData(Qt::UserRole, q.text("ACCTCODE"));
        }
    });
    if (!ok) return {};
    if (list->count() > 0) list->setCurrentRow(0);
    if (dialog.exec() != QDialog::Accepted || !list->currentItem()) return {};
    return list->currentItem()->data(Qt::UserRole).toString();
}

}  // namespace reports
