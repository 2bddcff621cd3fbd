#include "XSettings.h"

#include "XcbConnection.h"

#include <QColor>
#include <QtEndian>

#include <memory>

namespace XSettings {

namespace {

enum Type : quint8 { Integer = 0, Text = 1, Colour = 2 };

// Reads the blob front to back; any read past its end marks it broken.
class Reader {
public:
    Reader(const QByteArray& blob, bool bigEndian) : m_blob(blob), m_bigEndian(bigEndian) {}

    bool ok() const { return m_ok; }
    void skip(qsizetype count) { take(count); }
    void align() { skip((4 - m_pos % 4) % 4); }

    quint8 u8()
    {
        const char* p = take(1);
        return p ? quint8(*p) : 0;
    }
    quint16 u16()
    {
        const char* p = take(2);
        return p ? (m_bigEndian ? qFromBigEndian<quint16>(p) : qFromLittleEndian<quint16>(p)) : 0;
    }
    quint32 u32()
    {
        const char* p = take(4);
        return p ? (m_bigEndian ? qFromBigEndian<quint32>(p) : qFromLittleEndian<quint32>(p)) : 0;
    }
    QByteArray bytes(quint32 count)
    {
        const char* p = take(count);
        return p ? QByteArray(p, count) : QByteArray();
    }

private:
    const char* take(qint64 count)
    {
        if (!m_ok || count < 0 || count > m_blob.size() - m_pos) {
            m_ok = false;
            return nullptr;
        }
        const char* p = m_blob.constData() + m_pos;
        m_pos += count;
        return p;
    }

    const QByteArray& m_blob;
    bool m_bigEndian;
    qsizetype m_pos = 0;
    bool m_ok = true;
};

QVariant value(Reader& reader, quint8 type)
{
    switch (type) {
    case Integer:
        return qint32(reader.u32());
    case Text: {
        const QByteArray text = reader.bytes(reader.u32());
        reader.align();
        return QString::fromUtf8(text);
    }
    case Colour: {
        const quint16 red = reader.u16(), green = reader.u16(), blue = reader.u16(), alpha = reader.u16();
        return QColor::fromRgba64(red, green, blue, alpha);
    }
    default:
        return {};
    }
}

} // namespace

QHash<QString, QVariant> parse(const QByteArray& blob)
{
    if (blob.isEmpty())
        return {};
    Reader reader(blob, blob.at(0) == 1);
    reader.skip(4);
    reader.u32(); // serial
    const quint32 count = reader.u32();
    QHash<QString, QVariant> settings;
    for (quint32 i = 0; i < count && reader.ok(); ++i) {
        const quint8 type = reader.u8();
        reader.skip(1);
        const QByteArray name = reader.bytes(reader.u16());
        reader.align();
        reader.u32(); // last change
        const QVariant v = value(reader, type);
        if (!reader.ok() || !v.isValid())
            return {};
        settings.insert(QString::fromUtf8(name), v);
    }
    return reader.ok() ? settings : QHash<QString, QVariant>();
}

QHash<QString, QVariant> read(const XcbConnection& x)
{
    const QByteArray selection = "_XSETTINGS_S" + QByteArray::number(0);
    const auto cookie = xcb_get_selection_owner(x.connection(), x.atom(selection.constData()));
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(x.connection(), cookie, nullptr), &std::free);
    if (!owner || owner->owner == XCB_WINDOW_NONE)
        return {};
    const auto blob = x.bytes(owner->owner, x.atom("_XSETTINGS_SETTINGS"), XCB_ATOM_ANY, 1 << 20);
    return blob ? parse(*blob) : QHash<QString, QVariant>();
}

} // namespace XSettings
