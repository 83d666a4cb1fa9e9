#include "tax/gstrptform.h"

#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "reports/company.h"
#include "tax/gstreprintform.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/navigator.h"

TGSTRptForm::TGSTRptForm(QWidget* owner) : ui::FormBase(owner, QStringLiteral("GSTRptForm")) {
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("ReturnsGrid"));
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("ReturnsNavigator"));
    navigator_->setTarget(ui::gridTarget(*grid_));
    ReprintButton = new QPushButton(QStringLiteral("&Reprint"), this);
    ReprintButton->setObjectName(QStringLiteral("ReprintButton"));
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(navigator_);
    buttons->addStretch();
    buttons->addWidget(ReprintButton);
    buttons->addWidget(ExitButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    connect(ReprintButton, &QPushButton::clicked, this, &TGSTRptForm::ReprintButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    connect(grid_, &ui::DataGrid::activatedRow, this, &TGSTRptForm::ReprintButtonClick);
    resize(420, 360);
}

TGSTRptForm::~TGSTRptForm() { grid_->unbind(); }

void TGSTRptForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TGSTRptForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        grid_->unbind();
        connection_.disconnect();
    }
    ui::FormBase::hideEvent(event);
}

void TGSTRptForm::FormShow() {
    ui::guarded(this, [&] {
        connection_.connect();
        setWindowTitle(QStringLiteral("G.S.T. Reprints for : ") +
                       reports::companyName(connection_, coyCode));
        grid_->bindQuery(connection_,
                         QStringLiteral("SELECT GSTBEGDATE, GSTENDDATE FROM QVGST\n"
                                        "WHERE COYNO =:iCoyCode\nORDER BY rowid"),
                         {{QStringLiteral("iCoyCode"), coyCode}},
                         {{QStringLiteral("GSTBEGDATE"), QStringLiteral("Beginning of period")},
                          {QStringLiteral("GSTENDDATE"), QStringLiteral("End of period")}});
        grid_->horizontalHeader()->setStretchLastSection(true);
        if (rowCount() > 0) grid_->setCurrentRow(rowCount() - 1);
        navigator_->updateButtons();
        ReprintButton->setEnabled(rowCount() > 0);
    });
    grid_->setFocus();
}

int TGSTRptForm::rowCount() const {
    return grid_->lazyModel() ? grid_->lazyModel()->rowCount() : 0;
}

tax::TaxPeriod TGSTRptForm::currentReturn() const {
    const int row = grid_->currentRow();
    if (row < 0 || !grid_->lazyModel()) return {};
    return {grid_->lazyModel()->valueAt(row, QStringLiteral("GSTBEGDATE")).toDate(),
            grid_->lazyModel()->valueAt(row, QStringLiteral("GSTENDDATE")).toDate()};
}

void TGSTRptForm::ReprintButtonClick() {
    const tax::TaxPeriod chosen = currentReturn();
    if (!chosen.start.isValid()) return;
    tax::openGstReprint(this, coyCode, chosen);
}
