#include "gridOperator.h"

#include "Operatorzy.h"
#include "SHA1.h"
#include "fdm.h"
#include "frmOperator.h"
#include "komun.h"

#include <QPushButton>

namespace {

std::vector<DatasetColumn> kolumny() {
    DatasetColumn nazwa;
    nazwa.field = QStringLiteral("NAZWA");
    nazwa.title = QStringLiteral("Użytkownik");
    return {nazwa};
}

} // namespace

TOperatorTbl::TOperatorTbl(Tdm& dm, TOperatorFrm& operatorFrm, QWidget* parent)
    : TListaTbl(dm.OperatorXE, kolumny(),
                {QStringLiteral("&Dopisz"), QStringLiteral("&Popraw"), QStringLiteral("&Usuń")},
                parent),
      dm_(dm), operatorFrm_(operatorFrm) {
    setObjectName(QStringLiteral("OperatorTbl"));
    setWindowTitle(QStringLiteral("Użytkownicy"));
    ZamknijBtn->setDefault(true);
    resize(420, 320);
    UpdateBtns();
}

bool TOperatorTbl::Otworz() {
    return dm_.OtworzOperator();
}

bool TOperatorTbl::WierszDoZmiany() const {
    const Dataset& op = dataset();
    return op.current() != nullptr && !IsAdmin(op.field(QStringLiteral("NAZWA")).toString());
}

void TOperatorTbl::Dopisz() {
    operatorFrm_.Wstaw();
}

void TOperatorTbl::Popraw() {
    operatorFrm_.Popraw();
}

bool TOperatorTbl::Usun() {
    if (!ZgodaDefNo(QStringLiteral("Usunąć użytkownika z wykazu?")))
        return false;
    dm_.OperatorXE.deleteCurrent();
    dm_.OperatorXE.commitRetaining();
    return true;
}

void TOperatorTbl::Zakoncz() {
    operatorzy::ZakonczOdczyt(dm_);
}
