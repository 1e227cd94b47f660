#pragma once

#include "Cli.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace clitest {

// Runs a subcommand in-process and returns what it printed; its exit status goes to `status`.
inline QString run(int (*command)(cli::Args), const QStringList& args, int& status) {
    testing::internal::CaptureStdout();
    try {
        status = command(cli::Args(args));
    } catch (...) {
        testing::internal::GetCapturedStdout();
        throw;
    }
    return QString::fromStdString(testing::internal::GetCapturedStdout());
}

} // namespace clitest
