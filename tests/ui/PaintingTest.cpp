// What the window draws: lamps, the grid's dividing line, each page.
// PB_UI_SCREENSHOTS=<folder> also saves an image of every tab there.
#include "MainWindowFixture.h"

#include <QDir>
#include <QImage>

namespace pb::test {
namespace {

QColor centrePixel(QWidget* widget)
{
    const QImage image = widget->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

TEST_F(MainWindowTest, LampsShowTheirColour)
{
    loadLanguage(0);
    window->show();
    EXPECT_EQ(centrePixel(window->ShpTx), QColor(192, 0, 0));
    EXPECT_EQ(centrePixel(window->ShpRx), QColor(0, 192, 0));
    window->ShpTx->setColor(QColor(255, 128, 128));
    EXPECT_EQ(centrePixel(window->ShpTx), QColor(255, 128, 128));
}

TEST_F(MainWindowTest, EveryPageIsDrawnBelowTheStrip)
{
    loadLanguage(0);
    window->show();
    const QString folder = qEnvironmentVariable("PB_UI_SCREENSHOTS");
    for (int tab = 0; tab < window->SSTab1->count(); ++tab) {
        window->SSTab1->setCurrentIndex(tab);
        const QImage image = window->grab().toImage();
        if (!folder.isEmpty())
            image.save(QDir(folder).filePath(QStringLiteral("ui-tab%1.png").arg(tab)));

        // The grid's dividing line shows on the settings page only.
        const QPoint onLine = window->SSTab1->mapTo(window.get(), QPoint(504, 300));
        const QColor lineGrey(192, 192, 192);
        EXPECT_EQ(image.pixelColor(onLine) == lineGrey, tab == 1) << tab;
    }
}

TEST_F(MainWindowTest, MessageLinesStandOnTheWindowBackground)
{
    window->show();
    window->SSTab1->setCurrentIndex(0);
    const QImage image = window->grab().toImage();
    const QColor background = window->palette().color(QPalette::Window);
    // Inside an empty line, and on the page beside the lines.
    EXPECT_EQ(image.pixelColor(window->Text2[5]->mapTo(window.get(), QPoint(600, 9))), background);
    EXPECT_EQ(image.pixelColor(window->SSTab1->mapTo(window.get(), QPoint(850, 300))), background);
}

} // namespace
} // namespace pb::test
