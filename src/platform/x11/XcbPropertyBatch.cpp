#include "XcbPropertyBatch.h"

#include <algorithm>

namespace {

constexpr char escape = '\x1b';
constexpr char controlSequenceIntroducer = char(0x9b);

// Past one escape sequence (ESC, intermediate bytes, a final byte); its bytes after ESC.
QByteArray takeEscapeSequence(const QByteArray& data, qsizetype& i)
{
    const qsizetype start = ++i;
    while (i < data.size() && data[i] >= 0x20 && data[i] <= 0x2f)
        ++i;
    if (i < data.size())
        ++i;
    return data.mid(start, i - start);
}

// Compound text starts as ISO 8859-1 and switches character sets by escape sequences. Latin-1 and
// UTF-8 segments decode exactly; a set that would need a conversion table shows as U+FFFD.
QString fromCompoundText(const QByteArray& data)
{
    if (!data.contains(escape) && !data.contains(controlSequenceIntroducer))
        return QString::fromLatin1(data);
    QString text;
    bool leftIsAscii = true;
    bool rightIsLatin1 = true;
    qsizetype i = 0;
    while (i < data.size()) {
        const char byte = data[i];
        if (byte == controlSequenceIntroducer) {
            // Only direction changes, which carry no characters.
            ++i;
            while (i < data.size() && uchar(data[i]) >= 0x20 && uchar(data[i]) <= 0x3f)
                ++i;
            i = std::min(i + 1, data.size());
            continue;
        }
        if (byte != escape) {
            const bool known = uchar(byte) < 0x80 ? leftIsAscii : rightIsLatin1;
            text += known ? QChar::fromLatin1(byte) : QChar(QChar::ReplacementCharacter);
            ++i;
            continue;
        }
        const QByteArray sequence = takeEscapeSequence(data, i);
        if (sequence == "%G") {
            const qsizetype end = data.indexOf("\x1b%@", i);
            const qsizetype stop = end < 0 ? data.size() : end;
            text += QString::fromUtf8(data.mid(i, stop - i));
            i = end < 0 ? data.size() : end + 3;
        } else if (sequence.startsWith("%/") && i + 2 <= data.size()) {
            // An extended segment: two length bytes, then the encoding's name, STX and the text.
            const qsizetype length = (uchar(data[i]) & 0x7f) * 128 + (uchar(data[i + 1]) & 0x7f);
            const QByteArray segment = data.mid(i + 2, length);
            text += QString::fromUtf8(segment.mid(segment.indexOf('\x02') + 1));
            i = std::min(i + 2 + length, data.size());
        } else if (sequence.size() >= 2) {
            const QByteArray into = sequence.chopped(1);
            if (into == "(" || into == "$(")
                leftIsAscii = sequence == "(B";
            else if (into == ")" || into == "-" || into == "$)")
                rightIsLatin1 = sequence == "-A";
        }
    }
    return text;
}

} // namespace

XcbPropertyBatch::XcbPropertyBatch(const XcbConnection& connection, xcb_window_t window)
    : m_x(connection), m_window(window)
{
}

// Answers nobody read are thrown away, or they would wait in the connection for ever.
XcbPropertyBatch::~XcbPropertyBatch()
{
    for (size_t i = 0; i < m_cookies.size(); ++i)
        if (!m_taken[i])
            xcb_discard_reply(m_x.connection(), m_cookies[i].sequence);
}

int XcbPropertyBatch::ask(xcb_atom_t property, xcb_atom_t type, quint32 maxWords)
{
    m_cookies.push_back(xcb_get_property(m_x.connection(), 0, m_window, property, type, 0, maxWords));
    m_taken.push_back(false);
    return static_cast<int>(m_cookies.size() - 1);
}

XcbPropertyBatch::Reply XcbPropertyBatch::take(int ticket)
{
    if (ticket < 0 || size_t(ticket) >= m_cookies.size() || m_taken[ticket])
        return nullptr;
    m_taken[ticket] = true;
    return Reply(xcb_get_property_reply(m_x.connection(), m_cookies[ticket], nullptr));
}

std::optional<QList<quint32>> XcbPropertyBatch::cardinals(int ticket, xcb_atom_t type)
{
    const Reply reply = take(ticket);
    if (!reply || reply->type != type || reply->format != 32)
        return std::nullopt;
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    const auto* data = static_cast<const quint32*>(xcb_get_property_value(reply.get()));
    return QList<quint32>(data, data + count);
}

std::optional<QByteArray> XcbPropertyBatch::bytes(int ticket)
{
    return bytesOf(take(ticket));
}

std::optional<QString> XcbPropertyBatch::text(int ticket)
{
    const Reply reply = take(ticket);
    const auto data = bytesOf(reply);
    if (!data)
        return std::nullopt;
    if (reply->type == m_x.atom("UTF8_STRING"))
        return QString::fromUtf8(*data);
    if (reply->type == m_x.atom("COMPOUND_TEXT"))
        return fromCompoundText(*data);
    return QString::fromLatin1(*data);
}

std::optional<QByteArray> XcbPropertyBatch::bytesOf(const Reply& reply)
{
    if (!reply || reply->type == XCB_ATOM_NONE || reply->format != 8)
        return std::nullopt;
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return QByteArray(data, xcb_get_property_value_length(reply.get()));
}
