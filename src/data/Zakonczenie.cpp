#include "Zakonczenie.h"

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <csignal>
#include <pthread.h>
#endif

namespace zakonczenie {
namespace {

std::atomic<int> signal_{0};
std::mutex cancelMutex;
std::function<void()> cancel_;
std::function<void()> onRequest_;
int grace_ = 3;

void handleRequest(int sig) {
    int expected = 0;
    if (!signal_.compare_exchange_strong(expected, sig))
        return; // a second request while the first is handled
    {
        const std::lock_guard<std::mutex> lock(cancelMutex);
        if (cancel_)
            cancel_();
        if (onRequest_)
            onRequest_();
    }
    std::this_thread::sleep_for(std::chrono::seconds(grace_));
    std::_Exit(128 + sig);
}

#ifdef Q_OS_UNIX
// The three signals are blocked in every thread (threads started later inherit the mask)
// and taken by one watcher thread with sigwait: no thread is ever interrupted inside the
// database engine, and the engine's own handlers never run.
void installPlatform() {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&set, sig);
    if (pthread_sigmask(SIG_BLOCK, &set, nullptr) != 0)
        return;
    std::thread([set] {
        for (;;) {
            int sig = 0;
            if (sigwait(&set, &sig) == 0)
                handleRequest(sig);
        }
    }).detach();
}
#else
// Elsewhere the platform's own session end closes the windows; nothing to install.
void installPlatform() {}
#endif

} // namespace

void install(int graceSeconds) {
    static std::once_flag once;
    std::call_once(once, [&] {
        grace_ = graceSeconds;
        installPlatform();
    });
}

void setOnRequest(std::function<void()> onRequest) {
    const std::lock_guard<std::mutex> lock(cancelMutex);
    onRequest_ = std::move(onRequest);
}

bool requested() {
    return signal_.load() != 0;
}

int signalNumber() {
    return signal_.load();
}

void check() {
    if (requested())
        throw Przerwano();
}

void setCancel(std::function<void()> cancel) {
    const std::lock_guard<std::mutex> lock(cancelMutex);
    cancel_ = std::move(cancel);
}

} // namespace zakonczenie
