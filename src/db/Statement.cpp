#include "Statement.h"

#include "Attachment.h"
#include "Client.h"
#include "Error.h"
#include "Transaction.h"
#include "Win1250.h"

#include <cstring>

namespace db {
using namespace Firebird;
using detail::call;

namespace {
constexpr unsigned CharsetWin1250 = 51;
constexpr unsigned BlobSubtypeText = 1;

struct MetaRelease {
    void operator()(IMessageMetadata* m) const {
        if (m)
            m->release();
    }
};
using MetaPtr = std::unique_ptr<IMessageMetadata, MetaRelease>;

struct FieldLayout {
    unsigned type = 0;
    int subType = 0;
    unsigned length = 0;
    int scale = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

std::vector<FieldLayout> layoutOf(IMessageMetadata* meta, ThrowStatusWrapper* st) {
    std::vector<FieldLayout> fields;
    if (!meta)
        return fields;
    const unsigned n = meta->getCount(st);
    fields.reserve(n);
    for (unsigned i = 0; i < n; ++i) {
        FieldLayout f;
        f.type = meta->getType(st, i) & ~1u;
        f.subType = meta->getSubType(st, i);
        f.length = meta->getLength(st, i);
        f.scale = meta->getScale(st, i);
        f.offset = meta->getOffset(st, i);
        f.nullOffset = meta->getNullOffset(st, i);
        fields.push_back(f);
    }
    return fields;
}

std::int64_t readInteger(const unsigned char* p, unsigned type) {
    switch (type) {
    case SQL_SHORT: {
        std::int16_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case SQL_LONG: {
        std::int32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    default: {
        std::int64_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    }
}

Date decodeDate(ISC_DATE d) {
    unsigned y = 0, m = 0, day = 0;
    detail::util()->decodeDate(d, &y, &m, &day);
    return Date(static_cast<int>(y), static_cast<int>(m), static_cast<int>(day));
}

ISC_DATE encodeDate(const Date& d) {
    return detail::util()->encodeDate(static_cast<unsigned>(d.year()),
                                      static_cast<unsigned>(d.month()),
                                      static_cast<unsigned>(d.day()));
}

QString readBlob(Transaction& tr, const ISC_QUAD& id) {
    QByteArray bytes;
    call([&](ThrowStatusWrapper* st) {
        ISC_QUAD blobId = id;
        IBlob* blob = tr.attachment().raw()->openBlob(st, tr.raw(), &blobId, 0, nullptr);
        try {
            char buf[32768];
            for (;;) {
                unsigned len = 0;
                const int rc = blob->getSegment(st, sizeof buf, buf, &len);
                if (rc == IStatus::RESULT_NO_DATA)
                    break;
                bytes.append(buf, static_cast<qsizetype>(len));
            }
            blob->close(st);
        } catch (...) {
            blob->release();
            throw;
        }
    });
    return win1250::decode(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

ISC_QUAD writeBlob(Transaction& tr, const QByteArray& bytes) {
    ISC_QUAD id{};
    call([&](ThrowStatusWrapper* st) {
        IBlob* blob = tr.attachment().raw()->createBlob(st, tr.raw(), &id, 0, nullptr);
        try {
            for (qsizetype pos = 0; pos < bytes.size(); pos += 32768) {
                const qsizetype n = std::min<qsizetype>(32768, bytes.size() - pos);
                blob->putSegment(st, static_cast<unsigned>(n), bytes.constData() + pos);
            }
            blob->close(st);
        } catch (...) {
            blob->release();
            throw;
        }
    });
    return id;
}
} // namespace

Columns::Columns(QStringList names) : names_(std::move(names)) {
    for (QString& n : names_)
        n = n.toUpper();
}

int Columns::indexOf(const QString& name) const {
    const QString up = name.toUpper();
    for (int i = 0; i < size(); ++i)
        if (names_[i] == up)
            return i;
    return -1;
}

int Columns::require(const QString& name) const {
    const int i = indexOf(name);
    if (i < 0)
        throw Error(QStringLiteral("Brak pola %1").arg(name));
    return i;
}

const Value& Row::operator[](const QString& name) const {
    if (!columns_)
        throw Error(QStringLiteral("Brak pola %1").arg(name));
    return values_[static_cast<size_t>(columns_->require(name))];
}

struct Statement::Impl {
    Transaction& tr;
    IStatement* stmt = nullptr;
    unsigned type = 0;
    MetaPtr inMetaOrig;
    std::vector<FieldLayout> inOrig;
    MetaPtr outMeta;
    std::vector<FieldLayout> out;
    std::vector<unsigned char> outBuf;
    std::vector<Value> params;
    // The message the parameters travel in, rebuilt only when their types change.
    MetaPtr inMeta;
    std::vector<FieldLayout> in;
    std::vector<std::pair<unsigned, unsigned>> inSignature;
    std::vector<unsigned char> inBuf;

    explicit Impl(Transaction& t) : tr(t) {}

    std::pair<unsigned, unsigned> signatureOf(size_t i, const QByteArray* text) const {
        const Value& v = params[i];
        const FieldLayout& orig = inOrig[i];
        if (v.isNull())
            return {orig.type, orig.length};
        if (v.isText()) {
            if (orig.type == SQL_BLOB)
                return {SQL_BLOB, 8};
            const unsigned need = static_cast<unsigned>(std::max<qsizetype>(1, text->size()));
            return {SQL_VARYING,
                    std::max(need,
                             orig.type == SQL_VARYING || orig.type == SQL_TEXT ? orig.length : 0u)};
        }
        if (v.isInteger())
            return {SQL_INT64, 0};
        if (v.isMoney())
            return {SQL_INT64, 4};
        if (v.isDate())
            return {SQL_TYPE_DATE, 4};
        return {SQL_DOUBLE, 8};
    }

    void prepareInput(ThrowStatusWrapper* st) {
        std::vector<QByteArray> texts(params.size());
        std::vector<std::pair<unsigned, unsigned>> sig(params.size());
        for (size_t i = 0; i < params.size(); ++i) {
            if (params[i].isText())
                texts[i] = win1250::encode(params[i].toString());
            sig[i] = signatureOf(i, &texts[i]);
        }
        if (!inMeta || sig != inSignature) {
            IMetadataBuilder* b = inMetaOrig->getBuilder(st);
            try {
                for (unsigned i = 0; i < params.size(); ++i) {
                    const auto [type, len] = sig[i];
                    const Value& v = params[i];
                    if (v.isNull())
                        continue; // keep the server's own description
                    b->setType(st, i, type | 1u);
                    if (type == SQL_VARYING) {
                        b->setLength(st, i, len);
                        b->setCharSet(st, i, CharsetWin1250);
                    } else if (type == SQL_INT64) {
                        b->setLength(st, i, 8);
                        b->setScale(st, i, v.isMoney() ? -4 : 0);
                    } else if (type == SQL_BLOB) {
                        b->setSubType(st, i, BlobSubtypeText);
                    } else {
                        b->setLength(st, i, len);
                    }
                }
                inMeta.reset(b->getMetadata(st));
                b->release();
            } catch (...) {
                b->release();
                throw;
            }
            in = layoutOf(inMeta.get(), st);
            inSignature = sig;
            inBuf.assign(inMeta->getMessageLength(st), 0);
        }
        std::fill(inBuf.begin(), inBuf.end(), 0);
        for (size_t i = 0; i < params.size(); ++i) {
            const FieldLayout& f = in[i];
            const Value& v = params[i];
            std::int16_t nullFlag = v.isNull() ? -1 : 0;
            std::memcpy(&inBuf[f.nullOffset], &nullFlag, sizeof nullFlag);
            if (v.isNull())
                continue;
            unsigned char* p = &inBuf[f.offset];
            switch (f.type) {
            case SQL_VARYING: {
                const auto len = static_cast<std::uint16_t>(texts[i].size());
                std::memcpy(p, &len, sizeof len);
                std::memcpy(p + 2, texts[i].constData(), len);
                break;
            }
            case SQL_BLOB: {
                const ISC_QUAD id = writeBlob(tr, texts[i]);
                std::memcpy(p, &id, sizeof id);
                break;
            }
            case SQL_INT64: {
                const std::int64_t x = v.isMoney() ? v.toMoney().raw() : v.toInt64();
                std::memcpy(p, &x, sizeof x);
                break;
            }
            case SQL_TYPE_DATE: {
                const ISC_DATE d = encodeDate(v.toDate());
                std::memcpy(p, &d, sizeof d);
                break;
            }
            case SQL_DOUBLE: {
                const double x = v.toVariant().toDouble();
                std::memcpy(p, &x, sizeof x);
                break;
            }
            default:
                throw Error(QStringLiteral("Nieobsługiwany typ parametru"));
            }
        }
    }

    Row readRow(const std::shared_ptr<const Columns>& columns) {
        std::vector<Value> values;
        values.reserve(out.size());
        for (const FieldLayout& f : out) {
            std::int16_t nullFlag = 0;
            std::memcpy(&nullFlag, &outBuf[f.nullOffset], sizeof nullFlag);
            if (nullFlag) {
                values.emplace_back();
                continue;
            }
            const unsigned char* p = &outBuf[f.offset];
            switch (f.type) {
            case SQL_TEXT: {
                std::string_view s(reinterpret_cast<const char*>(p), f.length);
                while (!s.empty() && s.back() == ' ')
                    s.remove_suffix(1);
                values.emplace_back(win1250::decode(s));
                break;
            }
            case SQL_VARYING: {
                std::uint16_t len = 0;
                std::memcpy(&len, p, sizeof len);
                values.emplace_back(
                    win1250::decode(std::string_view(reinterpret_cast<const char*>(p + 2), len)));
                break;
            }
            case SQL_SHORT:
            case SQL_LONG:
            case SQL_INT64: {
                const std::int64_t x = readInteger(p, f.type);
                if (f.scale == 0)
                    values.emplace_back(x);
                else
                    values.emplace_back(Money::fromScaled(x, f.scale));
                break;
            }
            case SQL_FLOAT: {
                float x;
                std::memcpy(&x, p, sizeof x);
                values.emplace_back(static_cast<double>(x));
                break;
            }
            case SQL_DOUBLE: {
                double x;
                std::memcpy(&x, p, sizeof x);
                values.emplace_back(x);
                break;
            }
            case SQL_TYPE_DATE: {
                ISC_DATE d;
                std::memcpy(&d, p, sizeof d);
                values.emplace_back(decodeDate(d));
                break;
            }
            case SQL_TIMESTAMP: {
                ISC_TIMESTAMP ts;
                std::memcpy(&ts, p, sizeof ts);
                values.emplace_back(decodeDate(ts.timestamp_date));
                break;
            }
            case SQL_BLOB: {
                ISC_QUAD id;
                std::memcpy(&id, p, sizeof id);
                values.emplace_back(readBlob(tr, id));
                break;
            }
            case SQL_BOOLEAN:
                values.emplace_back(static_cast<std::int64_t>(*p != 0));
                break;
            default:
                values.emplace_back();
                break;
            }
        }
        return Row(columns, std::move(values));
    }
};

Statement::Statement(Transaction& tr, const QString& sql)
    : d_(std::make_unique<Impl>(tr)), sql_(sql) {
    const QByteArray text = win1250::encode(sql);
    call([&](ThrowStatusWrapper* st) {
        d_->stmt = tr.attachment().raw()->prepare(st, tr.raw(), static_cast<unsigned>(text.size()),
                                                  text.constData(), 3,
                                                  IStatement::PREPARE_PREFETCH_METADATA);
        d_->type = d_->stmt->getType(st);
        d_->inMetaOrig.reset(d_->stmt->getInputMetadata(st));
        d_->inOrig = layoutOf(d_->inMetaOrig.get(), st);
        d_->params.resize(d_->inOrig.size());
        d_->outMeta.reset(d_->stmt->getOutputMetadata(st));
        d_->out = layoutOf(d_->outMeta.get(), st);
        d_->outBuf.assign(d_->outMeta ? d_->outMeta->getMessageLength(st) : 0, 0);
        QStringList names;
        for (unsigned i = 0; i < d_->out.size(); ++i)
            names << QString::fromUtf8(d_->outMeta->getAlias(st, i));
        columns_ = std::make_shared<const Columns>(names);
    });
}

Statement::~Statement() {
    if (!d_->stmt)
        return;
    try {
        call([&](ThrowStatusWrapper* st) { d_->stmt->free(st); });
    } catch (const Error&) {
        d_->stmt->release();
    }
}

int Statement::paramCount() const {
    return static_cast<int>(d_->params.size());
}

bool Statement::isSelect() const {
    return d_->type == isc_info_sql_stmt_select;
}

void Statement::bind(int index, const Value& value) {
    if (index < 0 || index >= paramCount())
        throw Error(QStringLiteral("Nieprawidłowy numer parametru %1").arg(index));
    d_->params[static_cast<size_t>(index)] = value;
}

void Statement::bindAll(std::initializer_list<Value> values) {
    int i = 0;
    for (const Value& v : values)
        bind(i++, v);
}

void Statement::bindAll(const std::vector<Value>& values) {
    int i = 0;
    for (const Value& v : values)
        bind(i++, v);
}

std::uint64_t Statement::execute() {
    return call([&](ThrowStatusWrapper* st) {
        d_->prepareInput(st);
        IMessageMetadata* outMeta = d_->out.empty() ? nullptr : d_->outMeta.get();
        d_->stmt->execute(st, d_->tr.raw(), d_->inMeta.get(), d_->inBuf.data(), outMeta,
                          outMeta ? d_->outBuf.data() : nullptr);
        return d_->stmt->getAffectedRecords(st);
    });
}

Cursor Statement::open() {
    IResultSet* rs = call([&](ThrowStatusWrapper* st) {
        d_->prepareInput(st);
        return d_->stmt->openCursor(st, d_->tr.raw(), d_->inMeta.get(), d_->inBuf.data(),
                                    d_->outMeta.get(), 0);
    });
    return Cursor(*this, rs);
}

bool Statement::fetchOne(Row& row) {
    Cursor c = open();
    if (!c.next())
        return false;
    row = c.row();
    return true;
}

Cursor::Cursor(Statement& stmt, IResultSet* rs) : stmt_(&stmt), rs_(rs) {}

Cursor::Cursor(Cursor&& o) noexcept : stmt_(o.stmt_), rs_(o.rs_), row_(std::move(o.row_)) {
    o.rs_ = nullptr;
}

Cursor::~Cursor() {
    try {
        close();
    } catch (const Error&) {
        // closing a cursor of a lost connection
    }
}

bool Cursor::next() {
    if (!rs_)
        return false;
    auto& d = *stmt_->d_;
    const int rc =
        call([&](ThrowStatusWrapper* st) { return rs_->fetchNext(st, d.outBuf.data()); });
    if (rc != IStatus::RESULT_OK) {
        close();
        return false;
    }
    row_ = d.readRow(stmt_->columns_);
    return true;
}

void Cursor::close() {
    if (!rs_)
        return;
    IResultSet* rs = rs_;
    rs_ = nullptr;
    try {
        call([&](ThrowStatusWrapper* st) { rs->close(st); });
    } catch (const Error&) {
        rs->release();
        throw;
    }
}

} // namespace db
