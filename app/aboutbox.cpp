#include "app/aboutbox.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(QWidget* owner) : ui::FormBase(owner, QString(), 10)
{
    setWindowTitle(QStringLiteral("About Quorvel"));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Sunken);

    auto* product = new QLabel(QStringLiteral("Quorvel"), frame);
    product->setObjectName(QStringLiteral("ProductName"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    product->setFont(big);

    auto* versionLabel = new QLabel(QStringLiteral("Version"), frame);
    versionLabel->setObjectName(QStringLiteral("Version"));
    auto* version = new QLabel(QStringLiteral("4.1  International"), frame);
    version->setObjectName(QStringLiteral("VersionNumber"));
    auto* comments = new QLabel(
        QStringLiteral("Bookkeeping for small businesses in New Zealand and Australia."), frame);
    comments->setObjectName(QStringLiteral("Comments"));
    comments->setWordWrap(true);

    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(product);
    auto* versionRow = new QHBoxLayout;
    versionRow->addWidget(versionLabel);
    versionRow->addWidget(version);
    versionRow->addStretch();
    inner->addLayout(versionRow);
    inner->addWidget(comments);

    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    layout->addLayout(buttons);
    resize(340, 200);
}
