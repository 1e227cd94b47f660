#pragma once

#include "ListaTbl.h"

class Tdm;
class TOperatorFrm;

// "Użytkownicy": the operator list, for the administrator. The administrator's own row can
// be neither corrected nor deleted here.
class TOperatorTbl : public TListaTbl {
    Q_OBJECT
public:
    TOperatorTbl(Tdm& dm, TOperatorFrm& operatorFrm, QWidget* parent = nullptr);

protected:
    bool Otworz() override;
    bool WierszDoZmiany() const override;
    void Dopisz() override;
    void Popraw() override;
    bool Usun() override;
    void Zakoncz() override;

private:
    Tdm& dm_;
    TOperatorFrm& operatorFrm_;
};
