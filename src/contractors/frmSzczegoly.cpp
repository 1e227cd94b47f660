#include "frmSzczegoly.h"

#include "DataGrid.h"
#include "Kontrahenci.h"
#include "fdm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString kwota(const db::Value& v) {
    return v.isNull() ? QString() : v.toMoney().format(QLocale());
}
QString dataTr(const db::Value& v) {
    if (v.isNull() || v.toDate().isZero())
        return QString();
    return QLocale().toString(v.toDate().qdate(), QLocale::ShortFormat);
}
} // namespace

TSzczegolyFrm::TSzczegolyFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("SzczegolyFrm"));
    setWindowTitle(QStringLiteral("Transakcje"));
    Grid = new DataGrid(this);
    SaldoLbl = new QLabel(this);
    QFont f = SaldoLbl->font();
    f.setBold(true);
    SaldoLbl->setFont(f);
    ZamknijBtn = new QPushButton(QStringLiteral("Zamknij"), this);
    ZamknijBtn->setDefault(true);
    auto* dol = new QHBoxLayout;
    dol->addWidget(SaldoLbl, 1);
    dol->addWidget(ZamknijBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Grid, 1);
    layout->addLayout(dol);
    resize(720, 420);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
}

bool TSzczegolyFrm::Przygotuj(int aKlientId) {
    KlientId = aKlientId;
    if (!dm_.OtworzTransKL(aKlientId))
        return false;
    const Qt::Alignment prawo = Qt::AlignRight | Qt::AlignVCenter;
    // The list is shared with other windows: its columns are set each time it is shown here.
    dm_.TransKL.setColumns({
        {QStringLiteral("DATA_TR"), QStringLiteral("Data"), dataTr},
        {QStringLiteral("DOZAPLATY"), QStringLiteral("Należność"), kwota, prawo},
        {QStringLiteral("ZAPLACONO"), QStringLiteral("Wpłata"), kwota, prawo},
        {QStringLiteral("OPIS_TR"), QStringLiteral("Opis transakcji"), {}},
    });
    Grid->setDataset(&dm_.TransKL);
    Grid->setColumnWidth(0, 90);
    Grid->setColumnWidth(1, 110);
    Grid->setColumnWidth(2, 110);
    Grid->horizontalHeader()->setStretchLastSection(true);
    SaldoLbl->setText(kontrahenci::TekstSaldaKlienta(dm_, aKlientId));
    // Whose transactions these are, as every window on one contractor says.
    const QString nazwa = dm_.NazwaKlienta(aKlientId);
    setWindowTitle(nazwa.isEmpty() ? QStringLiteral("Transakcje")
                                   : QStringLiteral("Transakcje – ") + nazwa);
    return true;
}

void TSzczegolyFrm::Execute(int aKlientId) {
    if (Przygotuj(aKlientId))
        exec();
}

void TSzczegolyFrm::done(int r) {
    Grid->setDataset(nullptr);
    QDialog::done(r);
}
