#include "exchange/getbankasciifile.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>

#include "ui/messages.h"

TGetBankAsciiFile::TGetBankAsciiFile(QWidget* owner) : ui::FormBase(owner, QString()) {
    setWindowTitle(QStringLiteral("Finding Bank import file"));
    auto* layout = new QVBoxLayout(this);
    folderLabel_ = new QLabel(this);
    folderLabel_->setObjectName(QStringLiteral("FolderLabel"));
    layout->addWidget(folderLabel_);
    auto* listLabel = new QLabel(QStringLiteral("&Statement files :"), this);
    fileList_ = new QListWidget(this);
    fileList_->setObjectName(QStringLiteral("FileList"));
    listLabel->setBuddy(fileList_);
    layout->addWidget(listLabel);
    layout->addWidget(fileList_, 1);
    auto* boxLabel = new QLabel(QStringLiteral("File to &Import is :"), this);
    fileEdit_ = new QLineEdit(this);
    fileEdit_->setObjectName(QStringLiteral("FileEdit"));
    fileEdit_->setMinimumWidth(420);
    boxLabel->setBuddy(fileEdit_);
    layout->addWidget(boxLabel);
    layout->addWidget(fileEdit_);
    auto* buttons = new QHBoxLayout;
    auto* browse = new QPushButton(QStringLiteral("&Browse"), this);
    browse->setObjectName(QStringLiteral("BrowseButton"));
    auto* confirm = new QPushButton(QStringLiteral("Con&firm"), this);
    confirm->setObjectName(QStringLiteral("ConfirmButton"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* b : {browse, confirm, cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(browse, &QPushButton::clicked, this, &TGetBankAsciiFile::BrowseButtonClick);
    connect(confirm, &QPushButton::clicked, this, &TGetBankAsciiFile::ConfirmButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(fileList_, &QListWidget::itemClicked, this, &TGetBankAsciiFile::FileListClick);
    connect(fileList_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { FileListClick(item); });
}

QString TGetBankAsciiFile::fileFilter() {
    return QStringLiteral(
        "Text files (*.txt *.TXT);;Comma delimited (*.csv *.CSV);;BNZ gift format (*.trn *.TRN);;"
        "OFX/QFX statements (*.ofx *.OFX *.qfx *.QFX)");
}

QString TGetBankAsciiFile::downloadFolder() {
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    return QDir(downloads).exists() ? downloads : QDir::homePath();
}

void TGetBankAsciiFile::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (shown_) return;
    shown_ = true;
    showFolder(folder.isEmpty() ? downloadFolder() : folder);
}

void TGetBankAsciiFile::showFolder(const QString& path) {
    current_ = QDir(path).absolutePath();
    folderLabel_->setText(QStringLiteral("Folder : ") + QDir::toNativeSeparators(current_));
    fileList_->clear();
    const QStringList files = QDir(current_).entryList(
        {QStringLiteral("*.txt"), QStringLiteral("*.csv"), QStringLiteral("*.trn"),
         QStringLiteral("*.ofx"), QStringLiteral("*.qfx")},
        QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    fileList_->addItems(files);
}

void TGetBankAsciiFile::FileListClick(QListWidgetItem* item) {
    if (item) fileEdit_->setText(QDir(current_).filePath(item->text()));
}

void TGetBankAsciiFile::BrowseButtonClick() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"), current_.isEmpty() ? downloadFolder() : current_,
        fileFilter(), nullptr, QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) fileEdit_->setText(path);
}

void TGetBankAsciiFile::ConfirmButtonClick() {
    const QString path = fileEdit_->text().trimmed();
    if (path.isEmpty()) {
        ui::warning(this, QStringLiteral("No file selected."));
        reject();
        return;
    }
    chosenPath = path;
    accept();
}
