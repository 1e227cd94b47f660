#include "SHA1.h"

#include "StringFun.h"
#include "Win1250.h"

#include <openssl/evp.h>

#include <stdexcept>

QString SHA1Digest(const QString& text) {
    const QByteArray bytes = win1250::encode(text).left(255);
    unsigned char md[EVP_MAX_MD_SIZE];
    unsigned int len = 0;
    if (EVP_Digest(bytes.constData(), static_cast<size_t>(bytes.size()), md, &len, EVP_sha1(),
                   nullptr) != 1)
        throw std::runtime_error("SHA-1 digest failed");
    return QString::fromLatin1(
               QByteArray(reinterpret_cast<const char*>(md), static_cast<qsizetype>(len)).toHex())
        .toUpper();
}

bool IsAdmin(const QString& operatorName) {
    return lsTrimUP(operatorName) == QStringLiteral("ADMINISTRATOR");
}
