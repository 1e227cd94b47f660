#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <stdexcept>
#include <vector>

class QBuffer;
class QXmlStreamReader;

// A JPK_FA file that cannot be used, with the message the user is shown.
class JpkRefused : public std::runtime_error {
public:
    explicit JpkRefused(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// An element whose content is not the single piece of text the reader expects.
class JpkContentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One element of the file with its whole subtree: a light DOM, built only for the
// element being read, so that memory stays proportional to one invoice.
struct JpkElement {
    QString qualifiedName;
    QString localName;
    QString namespaceUri;
    qint64 line = 0;
    std::vector<JpkElement> children;
    QString text;          // all character data directly inside, in document order
    int textPieces = 0;    // runs of character data separated by other nodes
    bool hasOther = false; // a comment or processing instruction directly inside

    // The first direct child named `wanted` (qualified or local name) in this element's
    // namespace, or in any namespace when this element has none; null when missing.
    const JpkElement* child(QStringView wanted) const;
    // The element's text: empty when it has no content; JpkContentError when it holds
    // anything but one piece of text.
    QString singleText() const;
    // singleText() of child(wanted); empty text for a missing child.
    QString childText(QStringView wanted) const;
};

// A JPK_FA file held in memory. It is parsed again on every walk rather than kept as
// a tree: a tree of a 60 MB file would need several times the file's size.
class JpkDocument {
public:
    // Well-formed XML or JpkRefused with "Nie udało się otworzyć pliku: " + displayName.
    static JpkDocument fromBytes(QByteArray bytes, const QString& displayName);

    // The file checks of the listing window: a given name, an existing file, well-formed
    // XML; JpkRefused with the window's message otherwise.
    static JpkDocument open(const QString& fileName);

    // The number of child elements of the document element.
    int rootChildCount() const { return rootChildCount_; }
    // The document element's local name and namespace: they tell a KSeF invoice apart.
    const QString& rootLocalName() const { return rootLocalName_; }
    const QString& rootNamespaceUri() const { return rootNamespace_; }
    // Root → Naglowek → KodFormularza; empty when it cannot be read.
    QString KodFormularza() const;
    const QByteArray& bytes() const { return bytes_; }

    // Deeper nesting than this refuses the file: real invoice files nest a few levels, and
    // the element reader must not run out of stack on a hostile one.
    static constexpr int MaxDepth = 256;

private:
    JpkDocument(QByteArray bytes, int rootChildCount, QString rootLocalName, QString rootNs)
        : bytes_(std::move(bytes)), rootChildCount_(rootChildCount),
          rootLocalName_(std::move(rootLocalName)), rootNamespace_(std::move(rootNs)) {}

    QByteArray bytes_;
    int rootChildCount_ = 0;
    QString rootLocalName_;
    QString rootNamespace_;
};

// The message that refuses a document by its form code; empty when the code is JPK_FA.
QString JpkOdmowa(const QString& kodFormularza);

// Walks the child elements of the document element in order, reading each one's
// subtree only when asked.
class JpkCursor {
public:
    explicit JpkCursor(const JpkDocument& doc);
    ~JpkCursor();
    JpkCursor(const JpkCursor&) = delete;
    JpkCursor& operator=(const JpkCursor&) = delete;

    // The next child element of the root; false after the last one.
    bool next();
    QString localName() const { return localName_; }
    QString qualifiedName() const { return qualifiedName_; }
    QString namespaceUri() const { return namespaceUri_; }
    // The root's own namespace, for the lookup rule of its children.
    QString rootNamespaceUri() const { return rootNamespace_; }
    // The current element with its subtree; call at most once per element.
    JpkElement read();

private:
    void skipCurrent();

    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QXmlStreamReader> xml_;
    QString rootNamespace_;
    QString localName_;
    QString qualifiedName_;
    QString namespaceUri_;
    std::vector<QString> names_; // names and namespaces seen, shared by the elements read
    bool pending_ = false;       // positioned on a start element not yet read or skipped
};
