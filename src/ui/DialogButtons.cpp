#include "DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

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
