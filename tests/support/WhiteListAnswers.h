#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Answers shaped as the white-list service sends them.
namespace WhiteListAnswers {

// A found subject; `konta` is the raw text inside the account array's brackets.
inline QByteArray subject(const QByteArray& name, const QByteArray& nip, const QByteArray& konta,
                          const QByteArray& adres = "UL. PROSTA 1, 00-001 WARSZAWA") {
    return "{\"result\":{\"subject\":{\"name\":\"" + name + "\",\"nip\":\"" + nip +
           "\",\"statusVat\":\"Czynny\",\"regon\":\"012345678\",\"pesel\":null,\"krs\":null,"
           "\"residenceAddress\":\"" +
           adres +
           "\",\"workingAddress\":null,"
           "\"representatives\":[],\"authorizedClerks\":[],\"partners\":[],"
           "\"registrationLegalDate\":\"2001-05-01\",\"registrationDenialBasis\":null,"
           "\"registrationDenialDate\":null,\"restorationBasis\":null,\"restorationDate\":null,"
           "\"removalBasis\":null,\"removalDate\":null,\"accountNumbers\":[" +
           konta +
           "],\"hasVirtualAccounts\":false},\"requestId\":\"z1abc-8a2b\","
           "\"requestDateTime\":\"05-03-2024 10:11:12\"}}";
}

inline QByteArray dwaKonta(const QByteArray& nip = "5260250274") {
    return subject("FIRMA \\\"ŁĄCZNOŚĆ\\\" SPÓŁKA Z O.O.", nip,
                   "\"61109010140000071219812874\",\"27114020040000300201355387\"",
                   "UL. ŚWIĘTOKRZYSKA 12, 00-916 WARSZAWA");
}

inline const QByteArray brakPodmiotu = "{\"result\":{\"subject\":null,\"requestId\":\"z1abc-8a2c\","
                                       "\"requestDateTime\":\"05-03-2024 10:11:12\"}}";

inline const QByteArray bladWL113 =
    "{\"code\":\"WL-113\",\"message\":\"Pole 'nip' ma nieprawidłową długość. Wymagane 10 "
    "znaków (5260250274).\"}";

inline const QByteArray limit =
    "{\"code\":\"WL-191\",\"message\":\"Wyczerpany limit zapytań o dane podmiotów.\"}";

// The answer to a search for several numbers: one entry per number, with the accounts given.
inline QByteArray wiele(const QStringList& nipy,
                        const std::function<QStringList(const QString&)>& konta) {
    QByteArray entries;
    for (const QString& nip : nipy) {
        QByteArray lista;
        for (const QString& k : konta(nip))
            lista += (lista.isEmpty() ? "\"" : ",\"") + k.toLatin1() + "\"";
        const QByteArray subjects =
            konta(nip).isEmpty() ? QByteArray("[]")
                                 : "[{\"name\":\"FIRMA " + nip.toLatin1() + "\",\"nip\":\"" +
                                       nip.toLatin1() + "\",\"accountNumbers\":[" + lista + "]}]";
        entries += (entries.isEmpty() ? "" : ",") + QByteArray("{\"identifier\":\"") +
                   nip.toLatin1() + "\",\"subjects\":" + subjects + "}";
    }
    return "{\"result\":{\"entries\":[" + entries + "],\"requestId\":\"z1abc-8a2d\"}}";
}

} // namespace WhiteListAnswers
