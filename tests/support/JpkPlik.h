#pragma once

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <vector>

// Writes small JPK_FA files for tests: a form code and the buyer fields of each invoice.
class JpkPlik {
public:
    struct Faktura {
        QString nazwa; // P_3A
        QString adres; // P_3B
        QString krNip; // P_5A
        QString nip;   // P_5B
    };

    static QString escape(QString s) {
        return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
    }

    // The file's path inside `dir`.
    static QString zapisz(const QTemporaryDir& dir, const QString& name,
                          const std::vector<Faktura>& faktury,
                          const QString& kod = QStringLiteral("JPK_FA")) {
        QString xml =
            QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<tns:JPK xmlns:tns=\"http://jpk.mf.gov.pl/wzor/2019/09/27/09271/\">\n"
                           "  <tns:Naglowek><tns:KodFormularza kodSystemowy=\"JPK_FA (3)\">") +
            kod + QStringLiteral("</tns:KodFormularza></tns:Naglowek>\n");
        int n = 0;
        for (const Faktura& f : faktury) {
            ++n;
            xml += QStringLiteral(
                       "  <tns:Faktura><tns:P_1>2024-03-01</tns:P_1><tns:P_2A>FV/%1</tns:P_2A>")
                       .arg(n);
            xml += "<tns:P_3A>" + escape(f.nazwa) + "</tns:P_3A><tns:P_3B>" + escape(f.adres) +
                   "</tns:P_3B>";
            if (!f.krNip.isNull())
                xml += "<tns:P_5A>" + escape(f.krNip) + "</tns:P_5A>";
            xml += "<tns:P_5B>" + escape(f.nip) +
                   "</tns:P_5B><tns:P_15>100.00</tns:P_15></tns:Faktura>\n";
        }
        xml += QStringLiteral("</tns:JPK>\n");
        const QString path = dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(xml.toUtf8());
        return path;
    }
};
