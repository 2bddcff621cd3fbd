#include "platform/xdg/IconRenderer.h"
#include "platform/xdg/XdgIconLoader.h"

#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString iconData = QStringLiteral(PELLUX_TEST_DATA "/icons");

class IconRendererTest : public ::testing::Test {
protected:
    QString writeImage(const QString& name, QSize size, QColor color)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(color);
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

int alpha(const QImage& image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

TEST_F(IconRendererTest, FitsRasterImagesIntoTheSquareCentred)
{
    const QImage wide = IconRenderer::render(writeImage("wide.png", { 32, 16 }, Qt::blue));
    ASSERT_EQ(wide.size(), QSize(64, 64));
    EXPECT_EQ(alpha(wide, 32, 15), 0) << "band above stays transparent";
    EXPECT_EQ(wide.pixelColor(32, 16), QColor(Qt::blue));
    EXPECT_EQ(wide.pixelColor(0, 47), QColor(Qt::blue));
    EXPECT_EQ(alpha(wide, 32, 48), 0) << "band below stays transparent";

    const QImage large = IconRenderer::render(writeImage("large.png", { 512, 512 }, Qt::green));
    ASSERT_EQ(large.size(), QSize(64, 64));
    EXPECT_EQ(large.pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(large.pixelColor(63, 63), QColor(Qt::green));
}

TEST_F(IconRendererTest, DrawsSvgAtTheSquareKeepingItsShape)
{
    const QString tall = writeFile("tall.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="20">
                                                  <rect width="10" height="20" fill="#ff0000"/></svg>)");
    const QImage image = IconRenderer::render(tall);
    ASSERT_EQ(image.size(), QSize(64, 64));
    EXPECT_EQ(alpha(image, 10, 32), 0) << "band left of the icon stays transparent";
    EXPECT_EQ(image.pixelColor(32, 0), QColor(Qt::red)) << "a small SVG is scaled up to the full height";
    EXPECT_EQ(image.pixelColor(32, 63), QColor(Qt::red));
    EXPECT_EQ(alpha(image, 53, 32), 0) << "band right of the icon stays transparent";
}

TEST_F(IconRendererTest, ReadsXpm)
{
    const QImage image = IconRenderer::render(iconData + "/pixmaps/legacy.xpm");
    ASSERT_EQ(image.size(), QSize(64, 64));
    EXPECT_EQ(image.pixelColor(32, 32), QColor(Qt::red));
}

TEST_F(IconRendererTest, UnreadableFilesGiveNullImages)
{
    const struct {
        const char* name;
        QString path;
    } cases[] = {
        { "missing file", m_dir.filePath("missing.png") },
        { "text named png", writeFile("text.png", "not an image") },
        { "text named svg", writeFile("text.svg", "not an image") },
        { "folder", m_dir.path() },
    };
    for (const auto& c : cases)
        EXPECT_TRUE(IconRenderer::render(c.path).isNull()) << c.name;
    EXPECT_TRUE(IconRenderer::render(writeImage("fine.png", { 4, 4 }, Qt::red), 0).isNull()) << "size zero";
}

TEST_F(IconRendererTest, LoaderHandsBackPngOfTheRenderedIcon)
{
    const XdgIconLoader loader;
    const std::optional<QByteArray> png = loader.loadIcon(iconData + "/usr/Fixture/scalable/apps/vector.svg");
    ASSERT_TRUE(png.has_value());
    const QImage decoded = QImage::fromData(*png, "PNG");
    EXPECT_EQ(decoded.size(), QSize(64, 64));
    EXPECT_EQ(decoded.pixelColor(32, 32), QColor(Qt::red));

    EXPECT_EQ(loader.loadIcon(writeFile("broken.png", "junk")), std::nullopt);
    EXPECT_EQ(IconRenderer::pngData(QImage()), std::nullopt);
}

} // namespace
