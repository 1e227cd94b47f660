#include "JpkGenerator.h"

#include <QFile>
#include <QTextStream>

#include <stdexcept>

QString BuyerNip(int k) {
    return QStringLiteral("%1").arg(7000000000LL + k * 7LL);
}

QString BuyerName(int k) {
    return QStringLiteral("Przedsiębiorstwo Usługowe Nabywca nr %1 Sp. z o.o.").arg(k);
}

void WriteJpkFile(const QString& path, int invoices, int buyers) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    QTextStream s(&file);
    s.setEncoding(QStringConverter::Utf8);
    s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<tns:JPK xmlns:etd=\"http://crd.gov.pl/xml/schematy/dziedzinowe/mf/2021/06/08/eD/"
         "DefinicjeTypy/\" xmlns:tns=\"http://jpk.mf.gov.pl/wzor/2022/02/17/02171/\">\n"
         "  <tns:Naglowek>\n"
         "    <tns:KodFormularza kodSystemowy=\"JPK_FA (4)\" "
         "wersjaSchemy=\"1-0\">JPK_FA</tns:KodFormularza>\n"
         "    <tns:WariantFormularza>4</tns:WariantFormularza>\n"
         "    <tns:DataOd>2023-01-01</tns:DataOd>\n"
         "    <tns:DataDo>2023-12-31</tns:DataDo>\n"
         "  </tns:Naglowek>\n";
    for (int i = 0; i < invoices; ++i) {
        const int k = i % buyers;
        const int cents = 1000 + (i * 7919) % 10000000;
        const QString amount =
            QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
        const QString date = QStringLiteral("2023-%1-%2")
                                 .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                                 .arg(1 + i % 28, 2, 10, QLatin1Char('0'));
        const QString number = QStringLiteral("FV/%1/2023").arg(i + 1);
        s << "  <tns:Faktura>\n"
             "    <tns:KodWaluty>PLN</tns:KodWaluty>\n"
             "    <tns:P_1>"
          << date << "</tns:P_1>\n    <tns:P_2A>" << number
          << "</tns:P_2A>\n"
             "    <tns:P_3A>"
          << BuyerName(k) << "</tns:P_3A>\n    <tns:P_3B>ul. Długa " << k
          << ", 66-400 Gorzów Wielkopolski</tns:P_3B>\n"
             "    <tns:P_3C>Sprzedawca Sp. z o.o.</tns:P_3C>\n"
             "    <tns:P_4A>PL</tns:P_4A>\n    <tns:P_4B>5990000001</tns:P_4B>\n"
             "    <tns:P_5A>PL</tns:P_5A>\n    <tns:P_5B>"
          << BuyerNip(k) << "</tns:P_5B>\n    <tns:P_6>" << date
          << "</tns:P_6>\n"
             "    <tns:P_15>"
          << amount
          << "</tns:P_15>\n"
             "    <tns:RodzajFaktury>VAT</tns:RodzajFaktury>\n"
             "  </tns:Faktura>\n";
    }
    s << "  <tns:FakturaCtrl>\n    <tns:LiczbaFaktur>" << invoices
      << "</tns:LiczbaFaktur>\n  </tns:FakturaCtrl>\n";
    for (int i = 0; i < invoices; ++i) {
        s << "  <tns:FakturaWiersz>\n    <tns:P_2B>FV/" << (i + 1)
          << "/2023</tns:P_2B>\n    <tns:P_7>Usługa serwisowa</tns:P_7>\n"
             "  </tns:FakturaWiersz>\n";
    }
    s << "</tns:JPK>\n";
    s.flush();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error("cannot write " + path.toStdString());
}
