#include "gridOperacje.h"

#include "Operacje.h"
#include "fdm.h"
#include "frmOperacja.h"
#include "komun.h"

namespace {

std::vector<DatasetColumn> kolumny() {
    DatasetColumn opis;
    opis.field = QStringLiteral("OPIS");
    opis.title = QStringLiteral("Opis transakcji");
    return {opis};
}

} // namespace

TOperacjeTbl::TOperacjeTbl(Tdm& dm, TOperacjaFrm& operacjaFrm, QWidget* parent)
    : TListaTbl(dm.Operacja, kolumny(),
                {QStringLiteral("&Dopisz"), QStringLiteral("&Popraw"), QStringLiteral("&Usuń")},
                parent),
      dm_(dm), operacjaFrm_(operacjaFrm) {
    setObjectName(QStringLiteral("OperacjeTbl"));
    setWindowTitle(QStringLiteral("Opisy transakcji"));
    resize(560, 400);
    UpdateBtns();
}

bool TOperacjeTbl::Otworz() {
    return dm_.OtworzOperacje();
}

void TOperacjeTbl::Dopisz() {
    operacjaFrm_.Wstaw();
}

void TOperacjeTbl::Popraw() {
    operacjaFrm_.Popraw();
}

bool TOperacjeTbl::Usun() {
    if (!ZgodaDefNo(QStringLiteral("Usunąć opis operacji z wykazu?")))
        return false;
    operacje::UsunOpis(dm_);
    return true;
}

void TOperacjeTbl::Zakoncz() {
    operacje::ZakonczOdczyt(dm_);
}
