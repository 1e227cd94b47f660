#include "PdfTekst.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <stdexcept>

namespace {
constexpr double PtNaMm = 25.4 / 72.0;

QString odEncji(const QString& s) {
    return QTextDocumentFragment::fromHtml(s).toPlainText();
}
} // namespace

TekstPdf TekstPdf::czytaj(const QString& plikPdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), plikPdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        throw std::runtime_error("pdftotext failed: " + p.readAllStandardError().toStdString());
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    TekstPdf t;
    static const QRegularExpression re(
        QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                       "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++t.stron;
            continue;
        }
        t.slowa.push_back({t.stron, odEncji(m.captured(5)), m.captured(1).toDouble() * PtNaMm,
                           m.captured(2).toDouble() * PtNaMm, m.captured(3).toDouble() * PtNaMm,
                           m.captured(4).toDouble() * PtNaMm});
    }
    return t;
}

std::vector<SlowoPdf> TekstPdf::znajdz(const QString& fraza) const {
    const QStringList szukane =
        fraza.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    std::vector<SlowoPdf> wynik;
    for (std::size_t i = 0; i + szukane.size() <= slowa.size(); ++i) {
        bool pasuje = true;
        for (qsizetype j = 0; j < szukane.size() && pasuje; ++j) {
            const SlowoPdf& s = slowa[i + static_cast<std::size_t>(j)];
            pasuje = s.tekst == szukane[j] && s.strona == slowa[i].strona &&
                     std::abs(s.y1 - slowa[i].y1) < 1.0;
        }
        if (!pasuje)
            continue;
        SlowoPdf b = slowa[i];
        b.tekst = fraza;
        const SlowoPdf& ost = slowa[i + static_cast<std::size_t>(szukane.size()) - 1];
        b.x2 = ost.x2;
        b.y2 = std::max(b.y2, ost.y2);
        wynik.push_back(b);
    }
    return wynik;
}

QStringList TekstPdf::slowaStrony(int strona) const {
    QStringList l;
    for (const SlowoPdf& s : slowa)
        if (s.strona == strona)
            l << s.tekst;
    return l;
}
