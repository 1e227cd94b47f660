#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>

// Moves a progress bar during a long run on the window's thread and lets pending window
// events run a few times a second: the window stays alive without costing the run its speed.
class PostepOkna {
public:
    explicit PostepOkna(QProgressBar& pasek) : pasek_(pasek) {}

    void operator()(int zrobione, int razem) {
        pasek_.setMaximum(razem > 0 ? razem : 1);
        pasek_.setValue(zrobione);
        if (!zegar_.isValid() || zegar_.elapsed() >= 50 || zrobione == razem) {
            QCoreApplication::processEvents();
            zegar_.restart();
        }
    }

private:
    QProgressBar& pasek_;
    QElapsedTimer zegar_;
};
