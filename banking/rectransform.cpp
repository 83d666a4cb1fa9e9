// The run window of recurring transactions.
#include "banking/rectransform.h"

#include <QDoubleValidator>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "banking/bank_entry_steps.h"
#include "banking/recurring_run.h"
#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace {

// The query hands dates back as stored (ISO text); the grid shows the short date format.
QString dueDateText(const QVariant& v) {
    const QDate d =
        v.typeId() == QMetaType::QDate ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return store::fmt::shortDate(d);
}

}  // namespace

TRecTransForm::TRecTransForm(QWidget* owner) : ui::FormBase(owner, QStringLiteral("RecTransForm")) {
    setObjectName(QStringLiteral("RecTransForm"));
    setWindowTitle(QStringLiteral("Run Recurring Transactions"));
    auto* layout = new QVBoxLayout(this);
    dueLabel_ = new QLabel(QStringLiteral("The following recurring transactions are due  "), this);
    dueLabel_->setObjectName(QStringLiteral("DueLabel"));
    layout->addWidget(dueLabel_);
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("DueGrid"));
    layout->addWidget(grid_, 1);
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("DueNavigator"));

    changeGroup_ = new QGroupBox(QStringLiteral(" Change amount "), this);
    changeGroup_->setObjectName(QStringLiteral("ChangeGroup"));
    newAmountEdit_ = new QLineEdit(changeGroup_);
    newAmountEdit_->setObjectName(QStringLiteral("NewAmountEdit"));
    newAmountEdit_->setMaxLength(14);
    auto* validator = new QDoubleValidator(0.0, 99999999999.99, 2, newAmountEdit_);
    validator->setNotation(QDoubleValidator::StandardNotation);
    validator->setLocale(QLocale::c());
    newAmountEdit_->setValidator(validator);
    auto* amountLabel = new QLabel(QStringLiteral("New &amount :"), changeGroup_);
    amountLabel->setBuddy(newAmountEdit_);
    auto* changeRow = new QHBoxLayout(changeGroup_);
    changeRow->addWidget(amountLabel);
    changeRow->addWidget(newAmountEdit_);
    changeRow->addStretch();

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    runButton_ = button("RunButton", QStringLiteral("&Run"));
    changeButton_ = button("ChangeButton", QStringLiteral("C&hange"));
    cancelButton_ = button("CancelButton", QStringLiteral("&Cancel"));
    cancelButton_->setToolTip(QStringLiteral("Cancel any changes to the transaction amount"));
    exitButton_ = button("ExitButton", QStringLiteral("E&xit"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(navigator_);
    buttons->addStretch();
    for (QPushButton* b : {runButton_, changeButton_, cancelButton_, exitButton_})
        buttons->addWidget(b);
    layout->addWidget(changeGroup_);
    layout->addLayout(buttons);

    setTabOrder(grid_, newAmountEdit_);
    setTabOrder(newAmountEdit_, runButton_);
    setTabOrder(runButton_, changeButton_);
    setTabOrder(changeButton_, cancelButton_);
    setTabOrder(cancelButton_, exitButton_);
    connect(runButton_, &QPushButton::clicked, this, [this] { RunButtonClick(); });
    connect(changeButton_, &QPushButton::clicked, this, [this] { ChangeButtonClick(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
    showChange(false);
    resize(760, 380);
}

TRecTransForm::~TRecTransForm() {
    navigator_->setTarget(nullptr);
    grid_->unbind();
    connection_.disconnect();
}

void TRecTransForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!opened_) FormShow();
}

void TRecTransForm::FormShow() {
    opened_ = ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        openDueList();
    });
    grid_->setFocus();
}

void TRecTransForm::openDueList() {
    const QString sql =
        QStringList{QStringLiteral("select * from QVRecTr"),
                    QStringLiteral("where COYNO = :iCoyCode"), QStringLiteral("and AUTORUN = 0"),
                    QStringLiteral("and NEXTRUN <= :dRunDate"), QStringLiteral("and TRACTIVE = 1")}
            .join(QLatin1Char('\n'));
    grid_->bindQuery(connection_, sql,
                     {{QStringLiteral("iCoyCode"), coyCode.trimmed().toInt()},
                      {QStringLiteral("dRunDate"), QDate::currentDate()}},
                     {{QStringLiteral("DESCR"), QStringLiteral("Description")},
                      ui::moneyColumn(QStringLiteral("ACTAMT"), QStringLiteral("Amount")),
                      {QStringLiteral("NEXTRUN"), QStringLiteral("Next run date"), dueDateText},
                      {QStringLiteral("ACCTCODE"), QStringLiteral("Account Code")},
                      {QStringLiteral("BANKCODE"), QStringLiteral("Bank Account")}});
    grid_->horizontalHeader()->setStretchLastSection(true);
    navigator_->setTarget(ui::gridTarget(*grid_));
    if (dueCount() > 0 && grid_->currentRow() < 0) grid_->setCurrentRow(0);
    navigator_->updateButtons();
}

int TRecTransForm::dueCount() const {
    return grid_->lazyModel() ? grid_->lazyModel()->rowCount() : 0;
}

QString TRecTransForm::currentTranLink() const {
    const int row = grid_->currentRow();
    if (row < 0 || !grid_->lazyModel()) return {};
    return grid_->lazyModel()->valueAt(row, QStringLiteral("TRANLINK")).toString().trimmed();
}

void TRecTransForm::RunButtonClick() {
    if (!runButton_->isEnabled() || !opened_) return;
    if (dueCount() == 0) {
        ui::beep();
        ui::information(this, QStringLiteral("No transactions due today."));
        return;
    }
    runCurrent(std::nullopt);
}

void TRecTransForm::ChangeButtonClick() {
    if (!opened_) return;
    if (!changing_) {
        if (dueCount() == 0) {
            ui::beep();
            ui::information(this, QStringLiteral("Nothing to change."));
            return;
        }
        const QVariant amount =
            grid_->lazyModel()->valueAt(grid_->currentRow(), QStringLiteral("ACTAMT"));
        newAmountEdit_->setText(store::fmt::money(amount.toDouble()));
        showChange(true);
        newAmountEdit_->setFocus();
        newAmountEdit_->selectAll();
        return;
    }
    double amount = 0.0;
    const QString typed = newAmountEdit_->text().trimmed();
    if (typed.isEmpty() || !store::fmt::parseMoney(typed, &amount) ||
        store::fmt::cents(amount) == 0) {
        ui::beep();
        ui::warning(this, QStringLiteral("Enter a value, or cancel."));
        return;
    }
    runCurrent(amount);
}

void TRecTransForm::CancelButtonClick() { showChange(false); }

// A run dated inside a finalised tax period posts only on "Yes".
bool TRecTransForm::filedPeriodAnswered(int row) {
    const QVariant next = grid_->lazyModel()->valueAt(row, QStringLiteral("NEXTRUN"));
    const QDate date = next.typeId() == QMetaType::QDate
                           ? next.toDate()
                           : QDate::fromString(next.toString(), Qt::ISODate);
    std::optional<banking::Confirmation> q;
    if (!ui::guarded(this, [&] {
            q = banking::filedPeriodQuestion(connection_, coyCode.trimmed().toInt(), date);
        }))
        return false;
    return !q || ui::confirm(this, q->text);
}

void TRecTransForm::runCurrent(const std::optional<double>& newAmount) {
    const QString link = currentTranLink();
    const int row = grid_->currentRow();
    if (!filedPeriodAnswered(row)) return;
    setButtonsEnabled(false);
    banking::RunResult result;
    const bool reached =
        ui::guarded(this, [&] { result = banking::runDefinition(connection_, link, newAmount); });
    setButtonsEnabled(true);
    if (!reached) return;
    posted = result.ok();
    if (!result.ok()) {
        ui::beep();
        ui::error(this, result.detail.isEmpty()
                            ? result.message
                            : result.message + QStringLiteral("\n\n") + result.detail);
        return;
    }
    showChange(false);
    ui::guarded(this, [this] { grid_->refresh(); });
    if (dueCount() > 0) grid_->setCurrentRow(std::min(row, dueCount() - 1));
    navigator_->updateButtons();
}

void TRecTransForm::showChange(bool changing) {
    changing_ = changing;
    changeGroup_->setVisible(changing);
    cancelButton_->setVisible(changing);
    changeButton_->setText(changing ? QStringLiteral("&Update") : QStringLiteral("C&hange"));
    runButton_->setEnabled(!changing);
    grid_->setEnabled(!changing);
    navigator_->setEnabledAll(!changing);
}

void TRecTransForm::setButtonsEnabled(bool enabled) {
    for (QPushButton* b : {runButton_, changeButton_, cancelButton_, exitButton_})
        b->setEnabled(enabled);
    if (enabled) runButton_->setEnabled(!changing_);
}
