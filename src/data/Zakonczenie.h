#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

// A request from outside to end the process (SIGTERM, SIGINT, SIGHUP): the running work is
// abandoned (a booking run rolls back), the connection closed, and the process ends. The
// signal handling itself is the only platform-specific code of the program; it lives in
// Zakonczenie.cpp.
namespace zakonczenie {

// Installs the handling once, first thing in main, before any other thread starts (threads
// started earlier would still get the default, immediate end). When the process is still
// alive graceSeconds after a request, it ends at once (the database rolls back what it had).
void install(int graceSeconds = 2);
// Runs on the watcher thread when a request comes, after the cancel action; it should hand
// the shutdown to the main thread. Cleared with an empty function.
void setOnRequest(std::function<void()> onRequest);
// True once a request came.
bool requested();
// The signal number of the request, 0 before one.
int signalNumber();
// Throws Przerwano once a request came: long work calls it between its units.
void check();
// What stops the database work in progress (cancel the connection's running statement, a
// lock wait included); called from the watcher thread. Set when connected, cleared (empty
// function) before the connection closes.
void setCancel(std::function<void()> cancel);

class Przerwano : public std::runtime_error {
public:
    Przerwano() : std::runtime_error("Przerwano: program kończy pracę na żądanie systemu.") {}
};

} // namespace zakonczenie
