#include "Zakonczenie.h"

#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
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
    }
    if (onRequest_)
        onRequest_();
    std::this_thread::sleep_for(std::chrono::seconds(grace_));
    std::_Exit(128 + sig);
}

#ifdef Q_OS_UNIX
// The handler only writes the signal's number to a pipe: all the work happens on the
// watcher thread, outside the signal's restrictions.
int pipeFds[2] = {-1, -1};

extern "C" void onSignal(int sig) {
    const unsigned char b = static_cast<unsigned char>(sig);
    const ssize_t n = ::write(pipeFds[1], &b, 1);
    (void)n;
}

void takeSignals() {
    if (pipeFds[1] < 0)
        return;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

void installPlatform() {
    if (::pipe(pipeFds) != 0)
        return;
    ::fcntl(pipeFds[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(pipeFds[1], F_SETFD, FD_CLOEXEC);
    std::thread([] {
        unsigned char b = 0;
        while (::read(pipeFds[0], &b, 1) == 1)
            handleRequest(b);
    }).detach();
    takeSignals();
}
#else
// Elsewhere the platform's own session end closes the windows; nothing to install.
void takeSignals() {}
void installPlatform() {}
#endif

} // namespace

void install(std::function<void()> onRequest, int graceSeconds) {
    static std::once_flag once;
    std::call_once(once, [&] {
        onRequest_ = std::move(onRequest);
        grace_ = graceSeconds;
        installPlatform();
    });
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
    const bool connected = bool(cancel);
    {
        const std::lock_guard<std::mutex> lock(cancelMutex);
        cancel_ = std::move(cancel);
    }
    // The embedded engine, loaded by the first connection, puts its own handlers in front
    // of ours and shuts itself down under the running work; ours come back in front.
    if (connected)
        takeSignals();
}

} // namespace zakonczenie
