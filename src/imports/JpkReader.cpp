#include "JpkReader.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {

bool matches(const QString& parentNs, const QString& qualifiedName, const QString& localName,
             const QString& ns, QStringView wanted) {
    if (!parentNs.isEmpty() && ns != parentNs)
        return false;
    return qualifiedName == wanted || localName == wanted;
}

// A file repeats a few dozen names and one or two namespaces a million times: sharing one
// copy of each saves an allocation per name and most of the reading time.
QString intern(std::vector<QString>& pool, QStringView s) {
    for (const QString& p : pool) {
        if (p == s)
            return p;
    }
    if (pool.size() < 256)
        pool.push_back(s.toString());
    return s.toString();
}

// Reads the element whose start tag the reader is on, up to and including its end tag.
JpkElement buildElement(QXmlStreamReader& x, std::vector<QString>& pool) {
    JpkElement e;
    e.qualifiedName = intern(pool, x.qualifiedName());
    e.localName = intern(pool, x.name());
    e.namespaceUri = intern(pool, x.namespaceUri());
    e.line = x.lineNumber();
    // Text, CDATA and character references next to each other are one piece of text;
    // only an element, a comment or a processing instruction splits it.
    bool inText = false;
    while (!x.atEnd()) {
        switch (x.readNext()) {
        case QXmlStreamReader::StartElement:
            e.children.push_back(buildElement(x, pool));
            inText = false;
            break;
        case QXmlStreamReader::EndElement:
            return e;
        case QXmlStreamReader::Characters:
            if (!inText)
                ++e.textPieces;
            inText = true;
            e.text += x.text();
            break;
        case QXmlStreamReader::Comment:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference:
            e.hasOther = true;
            inText = false;
            break;
        default:
            break;
        }
    }
    // The document was checked when it was loaded, so this means it changed under us.
    throw JpkContentError(x.errorString().toStdString());
}

} // namespace

const JpkElement* JpkElement::child(QStringView wanted) const {
    for (const auto& c : children) {
        if (matches(namespaceUri, c.qualifiedName, c.localName, c.namespaceUri, wanted))
            return &c;
    }
    return nullptr;
}

QString JpkElement::singleText() const {
    if (!children.empty() || hasOther || textPieces > 1) {
        throw JpkContentError(QStringLiteral("Element %1 w wierszu %2 pliku zawiera coś innego "
                                             "niż sam tekst.")
                                  .arg(qualifiedName)
                                  .arg(line)
                                  .toStdString());
    }
    return text;
}

QString JpkElement::childText(QStringView wanted) const {
    const JpkElement* c = child(wanted);
    return c ? c->singleText() : QString();
}

JpkDocument JpkDocument::fromBytes(QByteArray bytes, const QString& displayName) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader x(&buffer);
    int depth = 0;
    int rootChildren = 0;
    QString rootName;
    QString rootNs;
    while (!x.atEnd()) {
        const auto token = x.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++depth == 1) {
                rootName = x.name().toString();
                rootNs = x.namespaceUri().toString();
            } else if (depth == 2) {
                ++rootChildren;
            } else if (depth > MaxDepth) {
                throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + displayName +
                                 QStringLiteral("\rElementy pliku są zagnieżdżone głębiej niż %1 "
                                                "poziomów: to nie jest plik faktur.")
                                     .arg(MaxDepth));
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (x.hasError())
        throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + displayName);
    buffer.close();
    return JpkDocument(std::move(bytes), rootChildren, std::move(rootName), std::move(rootNs));
}

JpkDocument JpkDocument::open(const QString& fileName) {
    const QString name = fileName.trimmed();
    if (name.isEmpty())
        throw JpkRefused(QStringLiteral("Nazwa pliku JPK_FAKTURA nie podana."));
    if (!QFileInfo(name).isFile())
        throw JpkRefused(QStringLiteral("Plik: ") + name + QStringLiteral(" - nie istnieje."));
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + name);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + name);
    return fromBytes(std::move(bytes), name);
}

QString JpkDocument::KodFormularza() const {
    try {
        JpkCursor cursor(*this);
        while (cursor.next()) {
            if (matches(cursor.rootNamespaceUri(), cursor.qualifiedName(), cursor.localName(),
                        cursor.namespaceUri(), u"Naglowek"))
                return cursor.read().childText(u"KodFormularza");
        }
    } catch (const std::exception&) {
        // A header that cannot be read gives no form code, which the caller refuses.
    }
    return {};
}

QString JpkOdmowa(const QString& kodFormularza) {
    if (kodFormularza == u"JPK_VAT")
        return QStringLiteral("Nie można wczytać danych z pliku JPK_VAT.\rWymagany jest plik "
                              "JPK_FA.");
    if (kodFormularza != u"JPK_FA")
        return QStringLiteral("Nie można wczytać danych z tego pliku.");
    return {};
}

JpkCursor::JpkCursor(const JpkDocument& doc)
    : buffer_(std::make_unique<QBuffer>()), xml_(std::make_unique<QXmlStreamReader>()) {
    // Reading through a device decodes the text piece by piece instead of all at once.
    buffer_->setData(doc.bytes());
    buffer_->open(QIODevice::ReadOnly);
    xml_->setDevice(buffer_.get());
    while (!xml_->atEnd()) {
        if (xml_->readNext() == QXmlStreamReader::StartElement) {
            rootNamespace_ = xml_->namespaceUri().toString();
            break;
        }
    }
}

JpkCursor::~JpkCursor() = default;

void JpkCursor::skipCurrent() {
    xml_->skipCurrentElement();
    pending_ = false;
}

bool JpkCursor::next() {
    if (pending_)
        skipCurrent();
    while (!xml_->atEnd()) {
        const auto token = xml_->readNext();
        if (token == QXmlStreamReader::StartElement) {
            localName_ = intern(names_, xml_->name());
            qualifiedName_ = intern(names_, xml_->qualifiedName());
            namespaceUri_ = intern(names_, xml_->namespaceUri());
            pending_ = true;
            return true;
        }
        if (token == QXmlStreamReader::EndElement)
            break; // the root's end tag
    }
    localName_.clear();
    qualifiedName_.clear();
    namespaceUri_.clear();
    return false;
}

JpkElement JpkCursor::read() {
    if (!pending_)
        throw std::logic_error("JpkCursor::read without a current element");
    pending_ = false;
    return buildElement(*xml_, names_);
}
