#pragma once

#include <firebird/Interface.h>

#include <QString>

#include <utility>

namespace db::detail {

Firebird::IMaster* master();
Firebird::IUtil* util();
Firebird::IProvider* provider();

// A status object for one call chain; Firebird errors become db::Error.
class Status {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;
    Firebird::ThrowStatusWrapper* operator&() { return &wrapper_; }

private:
    Firebird::IStatus* status_;
    Firebird::ThrowStatusWrapper wrapper_;
};

[[noreturn]] void rethrow(const Firebird::FbException& e);

// Runs f(status) and turns a Firebird exception into db::Error.
template <typename F> auto call(F&& f) {
    Status st;
    try {
        return std::forward<F>(f)(&st);
    } catch (const Firebird::FbException& e) {
        rethrow(e);
    }
}

} // namespace db::detail
