#include "platform/x11/XSettings.h"

#include <QColor>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Builds a settings blob the way a settings daemon writes it.
class Blob {
public:
    explicit Blob(bool bigEndian) : m_big(bigEndian)
    {
        m_bytes.append(char(bigEndian ? 1 : 0)).append(3, '\0');
        u32(7);
        m_countAt = m_bytes.size();
        u32(0);
    }

    Blob& integer(const char* name, qint32 v) { return header(0, name).u32(quint32(v)); }
    Blob& text(const char* name, const QByteArray& v)
    {
        header(1, name).u32(quint32(v.size()));
        m_bytes.append(v);
        return pad();
    }
    Blob& colour(const char* name, quint16 r, quint16 g, quint16 b, quint16 a)
    {
        header(2, name);
        for (quint16 c : {r, g, b, a})
            u16(c);
        return *this;
    }
    QByteArray bytes() const { return m_bytes; }

private:
    Blob& header(char type, const char* name)
    {
        const QByteArray n(name);
        m_bytes.append(type).append('\0');
        u16(quint16(n.size()));
        m_bytes.append(n);
        pad();
        u32(1);
        ++m_count;
        char count[4];
        m_big ? qToBigEndian<quint32>(m_count, count) : qToLittleEndian<quint32>(m_count, count);
        m_bytes.replace(m_countAt, 4, count, 4);
        return *this;
    }
    Blob& u32(quint32 v)
    {
        char b[4];
        m_big ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        m_bytes.append(b, 4);
        return *this;
    }
    Blob& u16(quint16 v)
    {
        char b[2];
        m_big ? qToBigEndian(v, b) : qToLittleEndian(v, b);
        m_bytes.append(b, 2);
        return *this;
    }
    Blob& pad()
    {
        while (m_bytes.size() % 4)
            m_bytes.append('\0');
        return *this;
    }

    bool m_big;
    QByteArray m_bytes;
    qsizetype m_countAt = 0;
    quint32 m_count = 0;
};

TEST(XSettings, ReadsEveryValueKindInBothByteOrders)
{
    for (bool big : {false, true}) {
        SCOPED_TRACE(big ? "big endian" : "little endian");
        const auto settings = XSettings::parse(Blob(big)
                                                   .text("Net/IconThemeName", "Papirus-Dark")
                                                   .integer("Gtk/EnableAnimations", 0)
                                                   .colour("Gtk/Accent", 0xffff, 0, 0, 0xffff)
                                                   .bytes());
        EXPECT_EQ(settings.value("Net/IconThemeName").toString(), "Papirus-Dark");
        EXPECT_EQ(settings.value("Gtk/EnableAnimations").toInt(), 0);
        EXPECT_EQ(settings.value("Gtk/Accent").value<QColor>(), QColor(Qt::red));
    }
}

TEST(XSettings, MalformedBlobsGiveNothing)
{
    const QByteArray good = Blob(false).text("Net/IconThemeName", "Adwaita").integer("Xft/DPI", 98304).bytes();
    for (qsizetype cut = 0; cut < good.size(); ++cut)
        EXPECT_TRUE(XSettings::parse(good.left(cut)).isEmpty()) << "cut at " << cut;

    QByteArray hugeText = Blob(false).text("Net/IconThemeName", "x").bytes();
    hugeText[hugeText.size() - 8] = '\xff'; // the text length
    hugeText[hugeText.size() - 5] = '\x7f';
    EXPECT_TRUE(XSettings::parse(hugeText).isEmpty());

    QByteArray unknownType = Blob(false).integer("A", 1).bytes();
    unknownType[12] = 9;
    EXPECT_TRUE(XSettings::parse(unknownType).isEmpty());
}

} // namespace
