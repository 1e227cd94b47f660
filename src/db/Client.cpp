#include "Client.h"

#include "Error.h"
#include "Win1250.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace db::detail {

Firebird::IMaster* master() {
    static Firebird::IMaster* m = Firebird::fb_get_master_interface();
    return m;
}

Firebird::IUtil* util() {
    return master()->getUtilInterface();
}

Firebird::IProvider* provider() {
    static Firebird::IProvider* p = master()->getDispatcher();
    return p;
}

Status::Status() : status_(master()->getStatus()), wrapper_(status_) {}

Status::~Status() {
    status_->dispose();
}

void rethrow(const Firebird::FbException& e) {
    std::array<char, 2048> buf{};
    util()->formatStatus(buf.data(), static_cast<unsigned>(buf.size()), e.getStatus());
    // The client separates the lines of one error with a newline and a dash. The engine's own
    // words are ASCII; what the database adds (an exception's message, a key's value) comes
    // in the connection's character set, Windows-1250; a path of the system's, in its own.
    const std::string_view bytes(buf.data());
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = win1250::decode(bytes);
    text = text.trimmed();
    text.replace(QStringLiteral("\n-"), QStringLiteral(" -"));
    text.replace(u'\n', u' ');
    std::vector<long> codes;
    const intptr_t* v = e.getStatus()->getErrors();
    while (v && *v != isc_arg_end) {
        if (v[0] == isc_arg_gds)
            codes.push_back(static_cast<long>(v[1]));
        v += 2;
    }
    throw Error(text, std::move(codes));
}

} // namespace db::detail

namespace db {

bool Error::hasCode(long code) const {
    return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

bool Error::isOpenedElsewhere() const {
    return hasCode(isc_already_opened);
}

bool Error::isLockTimeout() const {
    return hasCode(isc_lock_timeout);
}

bool Error::isConflict() const {
    return hasCode(isc_deadlock) || hasCode(isc_update_conflict) || hasCode(isc_lock_conflict);
}

bool Error::isDuplicate() const {
    return hasCode(isc_unique_key_violation) || hasCode(isc_no_dup);
}

} // namespace db
