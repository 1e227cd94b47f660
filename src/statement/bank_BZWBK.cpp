#include "bank_BZWBK.h"

#include "StringFun.h"

TWyciagBZWBK::TWyciagBZWBK() {
    FPolaOpis.Lista = {20};
    FPolaNazwa.Lista = {32};
}

// This bank writes the number as "number/sequence": the number is everything before the
// first "/" after ":28C:", taken as it stands.
QString TWyciagBZWBK::WyznNrWyciagu() const {
    return ExtractText(TekstWyciagu(), QStringLiteral(":28C:"), QStringLiteral("/"));
}
