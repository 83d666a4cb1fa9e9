#include "banking/bnktranlistform.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "banking/transaction_lists.h"
#include "reports/company.h"
#include "store/format.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace {

QString listNumber(const QVariant& v) { return QString::number(v.toLongLong()); }
QString listDate(const QVariant& v) {
    const QDate d =
        v.toDate().isValid() ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? store::fmt::longDate2(d) : QString();
}
QString listReconciled(const QVariant& v) { return banking::reconciledText(v.toInt()); }

}  // namespace

TQVBnkTranListForm::TQVBnkTranListForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("QVBnkTranListForm"), 0, ui::PlacementFile::Bare),
      grid_(new ui::DataGrid(this)),
      navigator_(new ui::Navigator(this)),
      numberEdit_(new QLineEdit(this)),
      goToButton_(new QPushButton(QStringLiteral("&Go to"), this)),
      selectButton_(new QPushButton(QStringLiteral("&Select"), this)),
      exitButton_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setObjectName(QStringLiteral("QVBnkTranListForm"));
    setWindowTitle(QStringLiteral("Bank transactions list"));
    grid_->setObjectName(QStringLiteral("TranListGrid"));
    navigator_->setObjectName(QStringLiteral("TranListNavigator"));
    numberEdit_->setObjectName(QStringLiteral("NumberEdit"));
    goToButton_->setObjectName(QStringLiteral("GoToButton"));
    selectButton_->setObjectName(QStringLiteral("SelectButton"));
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    goToButton_->setAutoDefault(false);
    exitButton_->setAutoDefault(false);
    selectButton_->setDefault(true);

    auto* search = new QGroupBox(QStringLiteral(" Search Transactions "), this);
    auto* searchRow = new QHBoxLayout(search);
    auto* numberLabel = new QLabel(QStringLiteral("&Number : "), search);
    numberLabel->setBuddy(numberEdit_);
    searchRow->addWidget(numberLabel);
    searchRow->addWidget(numberEdit_);
    searchRow->addWidget(goToButton_);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(navigator_);
    bottom->addWidget(search);
    bottom->addStretch();
    bottom->addWidget(selectButton_);
    bottom->addWidget(exitButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
    resize(700, 420);

    connect(grid_, &ui::DataGrid::currentRecordChanged, this,
            [this] { navigator_->updateButtons(); });
    connect(grid_, &ui::DataGrid::activatedRow, this, [this] {
        if (selectButton_->isEnabled()) SelectButtonClick();
    });
    connect(goToButton_, &QPushButton::clicked, this, [this] { GoToButtonClick(); });
    // Enter in the number box goes to the number rather than selecting the current row.
    connect(numberEdit_, &QLineEdit::returnPressed, this, [this] { GoToButtonClick(); });
    connect(selectButton_, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
}

TQVBnkTranListForm::~TQVBnkTranListForm() {
    grid_->unbind();
    connection_.disconnect();
}

void TQVBnkTranListForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TQVBnkTranListForm::FormShow() {
    selectButton_->setEnabled(selectEnabled);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        const int coy = coyCode.trimmed().toInt();
        setWindowTitle(QStringLiteral("Bank transactions list for:  ") +
                       reports::companyName(connection_, coy).trimmed() + QLatin1Char(' ') +
                       accountLabel);
        grid_->bindQuery(
            connection_, banking::transactionListSql().join(QLatin1Char('\n')),
            banking::transactionListParams(coy, bankLink),
            {{QStringLiteral("TRANNUM"), QStringLiteral("Transaction No."), listNumber,
              Qt::AlignRight | Qt::AlignVCenter},
             {QStringLiteral("REASON"), QStringLiteral("Description")},
             {QStringLiteral("TRANDATE"), QStringLiteral("Date"), listDate},
             ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
             {QStringLiteral("RECONCILED"), QStringLiteral("Reconciled"), listReconciled}});
        grid_->horizontalHeader()->setStretchLastSection(true);
        navigator_->setTarget(ui::gridTarget(*grid_));
        if (grid_->lazyModel()->rowCount() > 0) grid_->setCurrentRow(0);
        navigator_->updateButtons();
    });
    grid_->setFocus();
}

void TQVBnkTranListForm::GoToButtonClick() {
    const auto number = banking::goToNumber(numberEdit_->text());
    if (!number) {
        if (!numberEdit_->text().trimmed().isEmpty()) ui::beep();
        return;
    }
    ui::LazyTableModel* model = grid_->lazyModel();
    if (!model) return;
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->valueAt(row, QStringLiteral("TRANNUM")).toLongLong() == *number) {
            grid_->setCurrentRow(row);
            grid_->setFocus();
            return;
        }
    }
    // No such number: the position stays.
}

void TQVBnkTranListForm::SelectButtonClick() {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    tranNum =
        QString::number(grid_->lazyModel()->valueAt(row, QStringLiteral("TRANNUM")).toLongLong());
    accept();
}
