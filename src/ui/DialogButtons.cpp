#include "DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

DialogButtons makeDialogButtons(QDialog& dialog, const QString& okCaption) {
    DialogButtons b;
    b.ok = new QPushButton(okCaption, &dialog);
    b.ok->setDefault(true);
    b.anuluj = new QPushButton(QStringLiteral("&Anuluj"), &dialog);
    QObject::connect(b.anuluj, &QPushButton::clicked, &dialog, &QDialog::reject);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.anuluj);
    return b;
}

DialogButtons layOutFormDialog(QDialog& dialog, QLayout* fields, const QString& okCaption) {
    const DialogButtons buttons = makeDialogButtons(dialog, okCaption);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons.row);
    return buttons;
}

QHBoxLayout* DolnyRzad(std::initializer_list<QWidget*> zLewej,
                       std::initializer_list<QWidget*> zPrawej) {
    auto* rzad = new QHBoxLayout;
    for (QWidget* w : zLewej)
        rzad->addWidget(w, 1);
    rzad->addStretch();
    for (QWidget* w : zPrawej)
        rzad->addWidget(w);
    return rzad;
}
