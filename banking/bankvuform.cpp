#include "banking/bankvuform.h"

#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

ui::ColumnSpec textColumn(const QString& field, const QString& heading) {
    return ui::ColumnSpec{field, heading, {}, Qt::AlignLeft | Qt::AlignVCenter};
}

}  // namespace

TBankVuForm::TBankVuForm(QWidget* owner) : ui::FormBase(owner, QStringLiteral("BankVuForm"), 290) {
    setObjectName(QStringLiteral("BankVuForm"));
    setWindowTitle(QStringLiteral("View/Select Banks"));
    resize(560, 300);
    auto* layout = new QVBoxLayout(this);
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("BankGrid"));
    layout->addWidget(grid_, 1);
    auto* row = new QHBoxLayout;
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("BankNavigator"));
    row->addWidget(navigator_);
    row->addStretch();
    selectButton_ = new QPushButton(QStringLiteral("&Select"), this);
    selectButton_->setObjectName(QStringLiteral("SelectButton"));
    selectButton_->setDefault(true);
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setAutoDefault(false);
    row->addWidget(selectButton_);
    row->addWidget(closeButton);
    layout->addLayout(row);

    connect(selectButton_, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &ui::DataGrid::activatedRow, this, [this] {
        if (selectButton_->isEnabled()) SelectButtonClick();
    });
    connect(grid_, &ui::DataGrid::currentRecordChanged, navigator_, &ui::Navigator::updateButtons);
    connect(navigator_, &ui::Navigator::moved, grid_, &ui::DataGrid::syncToTable);
}

TBankVuForm::~TBankVuForm() { closeTables(); }

void TBankVuForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TBankVuForm::FormShow() {
    selectButton_->setEnabled(selectEnabled);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        banks_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVBkHdr.DBF"));
        banks_->setIndexName(QStringLiteral("BANKCODE"));
        banks_->open();
        grid_->bindTable(connection_, banks_.get(),
                         {textColumn(QStringLiteral("NAME"), QStringLiteral("Bank")),
                          textColumn(QStringLiteral("BRANCH"), QStringLiteral("Branch")),
                          textColumn(QStringLiteral("CONTACT"), QStringLiteral("Contact"))});
        grid_->horizontalHeader()->setStretchLastSection(true);
        navigator_->setTable(banks_.get());
        grid_->syncToTable();
    });
    grid_->setFocus();
}

void TBankVuForm::SelectButtonClick() {
    if (!banks_ || !banks_->hasRecord()) {
        ui::beep();
        return;
    }
    bankCode = banks_->text(QStringLiteral("BANKCODE"));
    accept();
}

void TBankVuForm::done(int result) {
    closeTables();
    ui::FormBase::done(result);
}

void TBankVuForm::closeTables() {
    navigator_->setTable(nullptr);
    grid_->unbind();
    banks_.reset();
    connection_.disconnect();
}
