#include "ui/folderchooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ui {

MediaFolderChooser::MediaFolderChooser(const QString& placeText, const QString& folderText,
                                       QWidget* parent)
    : QWidget(parent) {
    DriveList = new QComboBox(this);
    DriveList->setObjectName(QStringLiteral("DriveList"));
    FolderEdit = new QLineEdit(this);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    BrowseButton = new QPushButton(QStringLiteral("Bro&wse..."), this);
    BrowseButton->setObjectName(QStringLiteral("BrowseButton"));

    auto* placeLabel = new QLabel(placeText, this);
    placeLabel->setBuddy(DriveList);
    auto* folderLabel = new QLabel(folderText, this);
    folderLabel->setBuddy(FolderEdit);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(placeLabel, 0, 0, 1, 2);
    grid->addWidget(DriveList, 1, 0, 1, 2);
    grid->addWidget(folderLabel, 2, 0, 1, 2);
    grid->addWidget(FolderEdit, 3, 0);
    grid->addWidget(BrowseButton, 3, 1);
    grid->setColumnStretch(0, 1);

    connect(DriveList, &QComboBox::activated, this, &MediaFolderChooser::DriveListChange);
    connect(FolderEdit, &QLineEdit::editingFinished, this,
            [this] { setFolder(FolderEdit->text()); });
    connect(BrowseButton, &QPushButton::clicked, this, &MediaFolderChooser::BrowseButtonClick);
}

void MediaFolderChooser::setPlaces(const QStringList& places) {
    DriveList->clear();
    DriveList->addItems(places);
}

QString MediaFolderChooser::folder() const { return FolderEdit->text().trimmed(); }

void MediaFolderChooser::setFolder(const QString& folder) {
    FolderEdit->setText(folder.trimmed());
    if (this->folder() == announced_) return;
    announced_ = this->folder();
    emit folderChanged(announced_);
}

void MediaFolderChooser::DriveListChange(int index) {
    if (index >= 0) setFolder(DriveList->itemText(index));
}

void MediaFolderChooser::BrowseButtonClick() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Select a folder"), folder().isEmpty() ? QDir::homePath() : folder());
    if (!chosen.isEmpty()) setFolder(chosen);
}

}  // namespace ui
