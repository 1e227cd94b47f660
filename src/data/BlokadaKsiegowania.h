#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace db {
class Error;
class Transaction;
} // namespace db

// The booking lock: booking runs, re-bookings, merges and the short writes that must not
// interleave with them (a contractor or an account added when missing, an undone import)
// take turns through one row, on any workstation. No wait for it is without end: after the
// limit the waiting workstation is told that another one is booking.

// Seconds a wait for the lock (or for a row a booking holds) lasts; 30 unless set.
int CzasOczekiwaniaNaBlokade();
void UstawCzasOczekiwaniaNaBlokade(int sekundy);

// The lock stayed taken by another workstation past the limit. Nothing was written.
class BlokadaZajeta : public std::runtime_error {
public:
    BlokadaZajeta();
    static QString komunikat();
};

// Starts tr (not active) with the wait limit (read committed without record versions, so that after
// the lock it reads what the holder before it committed) and takes the lock in it. BlokadaZajeta
// after the limit; any other error reaches the caller with tr rolled back.
void ZajmijBlokade(db::Transaction& tr);

// A lock time-out of the engine, as the user is told it: BlokadaZajeta for a time-out,
// the error itself otherwise.
[[noreturn]] void RzucBlad(const db::Error& e);

// Runs `praca`; while it ends with BlokadaZajeta (or a lock time-out), asks the user "Ponów" /
// "Anuluj" with the message. False when the user gave up; other errors reach the caller.
bool PonawiajPrzyBlokadzie(const std::function<void()>& praca);
