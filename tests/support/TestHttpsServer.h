#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSslCertificate>
#include <QString>

#include <functional>
#include <memory>

class QSslServer;
class QTcpServer;

// Certificates made at test time with the openssl command, once per test process: a test
// authority the client is told to trust, another one it does not know, and a server
// certificate for the name "localhost" (not its address) from each.
struct TestCertificates {
    QString folder;
    QString caPem;     // the trusted test authority
    QString serverPem; // signed by it
    QString serverKey;
    QString obcyServerPem; // signed by an authority nobody trusts
    QString obcyServerKey;
    QList<QSslCertificate> ca() const;
    static const TestCertificates& get();
};

// A local HTTPS server on 127.0.0.1 for the white-list client's tests. It records every
// request and answers with what the handler returns; nothing leaves the machine.
class TestHttpsServer : public QObject {
public:
    struct Zapytanie {
        QByteArray metoda;
        QByteArray cel; // the request target as sent: path and query, escapes kept
        QHash<QByteArray, QByteArray> naglowki; // names in lower case
    };
    struct Odpowiedz {
        int status = 200;
        QByteArray body;
        bool milczy = false; // never answer
    };
    using Handler = std::function<Odpowiedz(const Zapytanie&)>;

    // obcyCertyfikat: present the certificate of the unknown authority.
    explicit TestHttpsServer(bool obcyCertyfikat = false);
    ~TestHttpsServer() override;

    void setHandler(Handler h) { handler_ = std::move(h); }
    // "https://localhost:PORT"
    QString adres() const;
    QList<Zapytanie> zapytania;

private:
    void obsluz(class QSslSocket* socket);
    std::unique_ptr<QSslServer> server_;
    Handler handler_;
};

// A TCP server that accepts connections and never says a word: no TLS handshake ever ends.
class MilczacySerwer {
public:
    MilczacySerwer();
    ~MilczacySerwer();
    QString adres() const;

private:
    std::unique_ptr<QTcpServer> server_;
};
