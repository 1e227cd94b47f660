#include "TestHttpsServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QTemporaryDir>

#include <stdexcept>

namespace {

void openssl(const QString& folder, const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral("openssl"), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        throw std::runtime_error("openssl failed: " + args.join(u' ').toStdString() + "\n" +
                                 p.readAllStandardError().toStdString());
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return f.readAll();
}

// An authority, and a server certificate it signs for localhost and 127.0.0.1.
void makeAuthority(const QString& dir, const QString& name, const QString& cn) {
    const QStringList ec = {QStringLiteral("-newkey"), QStringLiteral("ec"),
                            QStringLiteral("-pkeyopt"),
                            QStringLiteral("ec_paramgen_curve:prime256v1")};
    openssl(dir, QStringList{"req", "-x509", "-nodes", "-days", "2", "-subj", "/CN=" + cn,
                             "-keyout", name + "-ca.key", "-out", name + "-ca.pem", "-addext",
                             "basicConstraints=critical,CA:TRUE", "-addext",
                             "keyUsage=critical,keyCertSign,cRLSign"} +
                     ec);
    openssl(dir, QStringList{"req", "-nodes", "-subj", "/CN=localhost", "-keyout",
                             name + "-server.key", "-out", name + "-server.csr"} +
                     ec);
    writeFile(QDir(dir).filePath(name + "-ext.cnf"), "subjectAltName=DNS:localhost\n"
                                                     "basicConstraints=CA:FALSE\n"
                                                     "keyUsage=digitalSignature,keyEncipherment\n"
                                                     "extendedKeyUsage=serverAuth\n");
    openssl(dir, QStringList{"x509", "-req", "-days", "2", "-in", name + "-server.csr", "-CA",
                             name + "-ca.pem", "-CAkey", name + "-ca.key", "-CAcreateserial",
                             "-out", name + "-server.pem", "-extfile", name + "-ext.cnf"});
}

} // namespace

QList<QSslCertificate> TestCertificates::ca() const {
    return QSslCertificate::fromData(readFile(caPem));
}

const TestCertificates& TestCertificates::get() {
    static QTemporaryDir dir;
    static const TestCertificates certs = [] {
        if (!dir.isValid())
            throw std::runtime_error("no temporary folder");
        const QString d = dir.path();
        makeAuthority(d, QStringLiteral("test"), QStringLiteral("Brevant Test CA"));
        makeAuthority(d, QStringLiteral("obcy"), QStringLiteral("Obcy Test CA"));
        TestCertificates c;
        c.folder = d;
        c.caPem = d + "/test-ca.pem";
        c.serverPem = d + "/test-server.pem";
        c.serverKey = d + "/test-server.key";
        c.obcyServerPem = d + "/obcy-server.pem";
        c.obcyServerKey = d + "/obcy-server.key";
        return c;
    }();
    return certs;
}

TestHttpsServer::TestHttpsServer(bool obcyCertyfikat) : server_(std::make_unique<QSslServer>()) {
    const TestCertificates& c = TestCertificates::get();
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setLocalCertificate(
        QSslCertificate(readFile(obcyCertyfikat ? c.obcyServerPem : c.serverPem), QSsl::Pem));
    conf.setPrivateKey(
        QSslKey(readFile(obcyCertyfikat ? c.obcyServerKey : c.serverKey), QSsl::Ec, QSsl::Pem));
    conf.setPeerVerifyMode(QSslSocket::VerifyNone);
    server_->setSslConfiguration(conf);
    QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, this, [this] {
        while (server_->hasPendingConnections())
            obsluz(qobject_cast<QSslSocket*>(server_->nextPendingConnection()));
    });
    if (!server_->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("cannot listen");
}

TestHttpsServer::~TestHttpsServer() = default;

QString TestHttpsServer::adres() const {
    return QStringLiteral("https://localhost:%1").arg(server_->serverPort());
}

void TestHttpsServer::obsluz(QSslSocket* socket) {
    if (!socket)
        return;
    socket->setParent(this);
    auto buffer = std::make_shared<QByteArray>();
    QObject::connect(socket, &QSslSocket::readyRead, this, [this, socket, buffer] {
        *buffer += socket->readAll();
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer->left(end).split('\n');
        buffer->clear();
        Zapytanie z;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        z.metoda = first.value(0);
        z.cel = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines[i].trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                z.naglowki.insert(line.left(colon).trimmed().toLower(),
                                  line.mid(colon + 1).trimmed());
        }
        zapytania.append(z);
        const Odpowiedz o = handler_ ? handler_(z) : Odpowiedz{};
        if (o.milczy)
            return;
        QByteArray answer = "HTTP/1.1 " + QByteArray::number(o.status) + " X\r\n" +
                            "Content-Type: application/json;charset=UTF-8\r\n" +
                            "Content-Length: " + QByteArray::number(o.body.size()) + "\r\n" +
                            "Connection: close\r\n\r\n" + o.body;
        socket->write(answer);
        socket->disconnectFromHost();
    });
}

MilczacySerwer::MilczacySerwer() : server_(std::make_unique<QTcpServer>()) {
    // Connections are accepted by the system and left waiting: nobody reads or answers.
    if (!server_->listen(QHostAddress::LocalHost, 0))
        throw std::runtime_error("cannot listen");
}

MilczacySerwer::~MilczacySerwer() = default;

QString MilczacySerwer::adres() const {
    return QStringLiteral("https://localhost:%1").arg(server_->serverPort());
}
