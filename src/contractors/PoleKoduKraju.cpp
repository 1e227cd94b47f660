#include "PoleKoduKraju.h"

#include "frmWybierzKodKR.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

TPoleKoduKraju::TPoleKoduKraju(TWybierzKodKRFrm& picker, QWidget* parent)
    : QWidget(parent), picker_(picker) {
    KodEd = new QLineEdit(this);
    KodEd->setMaxLength(2);
    KodEd->setFixedWidth(KodEd->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 16);
    WybierzBtn = new QToolButton(this);
    WybierzBtn->setText(QStringLiteral("Wy&bierz..."));
    WybierzBtn->setToolTip(QStringLiteral("Wybór kodu kraju"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(KodEd);
    layout->addWidget(WybierzBtn);
    layout->addStretch();
    setFocusProxy(KodEd);
    // Typed letters become capitals where they stand.
    connect(KodEd, &QLineEdit::textEdited, this, [this](const QString& t) {
        const QString up = t.toUpper();
        if (up != t) {
            const int pos = KodEd->cursorPosition();
            KodEd->setText(up);
            KodEd->setCursorPosition(pos);
        }
    });
    connect(WybierzBtn, &QToolButton::clicked, this, &TPoleKoduKraju::WybierzBtnClick);
}

QString TPoleKoduKraju::text() const {
    return KodEd->text();
}

void TPoleKoduKraju::setText(const QString& kod) {
    KodEd->setText(kod.toUpper());
}

void TPoleKoduKraju::WybierzBtnClick() {
    if (picker_.Execute(KodEd->text()) == QDialog::Accepted)
        setText(picker_.FKod);
    KodEd->setFocus();
}
