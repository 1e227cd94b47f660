#pragma once

#include <QString>

#include <stdexcept>
#include <vector>

namespace db {

// A database failure, carrying the server's own message text.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message, std::vector<long> codes = {})
        : std::runtime_error(message.toStdString()), message_(message), codes_(std::move(codes)) {}
    const QString& message() const { return message_; }
    // The server's error codes, outermost first.
    const std::vector<long>& codes() const { return codes_; }
    bool hasCode(long code) const;
    // Another transaction holds or has changed the row: trying again may succeed.
    bool isConflict() const;
    // A wait for a row another transaction holds outlasted the transaction's lock time-out.
    bool isLockTimeout() const;
    // A primary or unique key already holds the value.
    bool isDuplicate() const;
    // The embedded engine of another process holds the database file.
    bool isOpenedElsewhere() const;

private:
    QString message_;
    std::vector<long> codes_;
};

} // namespace db
