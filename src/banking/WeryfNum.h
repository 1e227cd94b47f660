#pragma once

#include <QString>

// The characters an input mask or a person puts between digit groups: space, '-', '_'.
QString UsunZnakiFrm(const QString& s);
// Rough check of an account number written without its country prefix; empty passes.
bool KontoZgrubOk(const QString& s);
// Full check (ISO 13616 check digits for "PL") of a number written without its prefix;
// empty passes.
bool KontoOk(const QString& s);
// A Polish NIP as typed into a field: ten plain digits with a valid checksum; empty passes.
bool NipOk(const QString& s);
// The NIP checksum on exactly ten digits.
bool SumaNIPOk(const QString& digits);
