#include "ui/pickerform.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/datagrid.h"
#include "ui/navigator.h"

namespace ui {

PickerForm::PickerForm(QWidget* owner, const QString& section, int helpContext,
                       const QString& gridName, const QString& navigatorName)
    : FormBase(owner, section, helpContext) {
    auto* layout = new QVBoxLayout(this);
    grid_ = new DataGrid(this);
    grid_->setObjectName(gridName);
    layout->addWidget(grid_, 1);
    buttons_ = new QHBoxLayout;
    navigator_ = new Navigator(this);
    navigator_->setObjectName(navigatorName);
    buttons_->addWidget(navigator_);
    buttons_->addStretch();
    selectButton_ = new QPushButton(QStringLiteral("&Select"), this);
    selectButton_->setObjectName(QStringLiteral("SelectButton"));
    selectButton_->setDefault(true);
    buttons_->addWidget(selectButton_);
    auto* closeButton = new QPushButton(QStringLiteral("&Close"), this);
    closeButton->setObjectName(QStringLiteral("CloseButton"));
    closeButton->setAutoDefault(false);
    buttons_->addWidget(closeButton);
    layout->addLayout(buttons_);

    connect(selectButton_, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &DataGrid::activatedRow, this, [this] {
        if (selectButton_->isEnabled()) SelectButtonClick();
    });
    connect(grid_, &DataGrid::currentRecordChanged, navigator_, &Navigator::updateButtons);
}

QPushButton* PickerForm::addButton(const QString& objectName, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    buttons_->insertWidget(buttons_->count() - 1, button);
    // Tab reaches it where it stands: after "Select" and the picker's earlier buttons.
    auto* close = findChild<QPushButton*>(QStringLiteral("CloseButton"));
    setTabOrder(close->previousInFocusChain(), button);
    setTabOrder(button, close);
    return button;
}

void PickerForm::showEvent(QShowEvent* event) {
    FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

}  // namespace ui
