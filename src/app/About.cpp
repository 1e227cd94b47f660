#include "About.h"

#include "Icons.h"
#include "komun.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString TAboutFrm::versionText() {
    return QStringLiteral("Brevant \r") + QStringLiteral("Wersja z dnia ") +
           QStringLiteral("10.03.2023 r.");
}

TAboutFrm::TAboutFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutFrm"));
    setWindowTitle(QStringLiteral("O programie..."));
    setModal(true);
    auto* icon = new QLabel(this);
    icon->setPixmap(Icons::application().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto* product = new QLabel(komun::displayText(versionText()), this);
    QFont f = product->font();
    f.setPointSizeF(f.pointSizeF() * 1.3);
    product->setFont(f);
    auto* maker = new QLabel(QStringLiteral("Rozliczanie należności od kontrahentów\n\n"
                                            "Quorvel sp. z o.o.\n"
                                            "ul. Księgowa 12, 00-950 Warszawa\n"
                                            "tel. 22 100 20 30, pomoc@quorvel.pl"),
                             this);
    maker->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addSpacing(8);
    text->addWidget(maker);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}
