// The fixed design of the main window: names, positions, creation state.
#include "MainWindowFixture.h"
#include "ui/MainTabs.h"

#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTest>

namespace pb::test {
namespace {

struct Placement {
    const char* name;
    const char* container; // "SSTab1": a control on a tab page
    QRect geometry;
};

const Placement kPlacements[] = {
    {"FrmCommunicatie", "client", {8, 8, 201, 49}},
    {"ShpTx", "FrmCommunicatie", {16, 24, 17, 9}},
    {"Label4(2)", "FrmCommunicatie", {128, 24, 33, 17}},
    {"SSTab1", "client", {8, 64, 1001, 569}},
    {"Text2(0)", "SSTab1", {8, 56, 713, 19}},
    {"Text2(24)", "SSTab1", {8, 440, 713, 19}},
    {"ComboInstellingen(0)", "SSTab1", {16, 40, 321, 21}},
    {"ComboInstellingen(12)", "SSTab1", {16, 520, 321, 21}},
    {"ComboInstellingen(13)", "SSTab1", {512, 40, 321, 21}},
    {"ComboInstellingen(25)", "SSTab1", {512, 520, 321, 21}},
    {"CmdReadSingleSetting(0)", "SSTab1", {352, 40, 57, 25}},
    {"CmdWriteSingleSetting(0)", "SSTab1", {424, 40, 65, 25}},
    {"FrameDebug1", "SSTab1", {344, 64, 153, 489}},
    {"CmdReadSingleSetting(1)", "FrameDebug1", {8, 16, 57, 25}},
    {"CmdWriteSingleSetting(12)", "FrameDebug1", {80, 456, 65, 25}},
    {"FrameDebug2", "SSTab1", {840, 32, 153, 529}},
    {"CmdReadSingleSetting(13)", "FrameDebug2", {8, 16, 57, 25}},
    {"CmdWriteSingleSetting(25)", "FrameDebug2", {80, 496, 65, 25}},
    {"Line1", "SSTab1", {504, 32, 1, 504}},
    {"FrameAlleInstellingen", "SSTab1", {384, 40, 337, 73}},
    {"CmdLezenUnitgegevens", "FrameAlleInstellingen", {176, 24, 145, 33}},
    {"FrameReport", "SSTab1", {16, 136, 705, 97}},
    {"CmdSaveReport", "FrameReport", {544, 40, 145, 33}},
    {"TxtProgress", "SSTab1", {32, 40, 937, 337}},
    {"CmdSchrijfAlles", "SSTab1", {744, 440, 225, 25}},
    {"FramePagerOproepen", "SSTab1", {8, 32, 721, 113}},
    {"TxtTestPagerAdres", "FramePagerOproepen", {104, 32, 113, 19}},
    {"ComboTestBleepCode", "FramePagerOproepen", {104, 56, 177, 21}},
    {"CmdTestOproepPager", "FramePagerOproepen", {304, 56, 137, 41}},
};

TEST_F(MainWindowTest, ControlsSitWhereTheDesignPutsThem)
{
    EXPECT_EQ(find(QStringLiteral("TxtProgress")), nullptr) << "made when first needed";
    window->SSTab1->setCurrentIndex(UnitTab);
    QWidget* next = window->TxtProgress()->nextInFocusChain();
    while (window->TxtProgress()->isAncestorOf(next))
        next = next->nextInFocusChain();
    EXPECT_EQ(next, window->CmdWisLogVenster) << "first on its page for the Tab key";
    for (const Placement& p : kPlacements) {
        SCOPED_TRACE(p.name);
        auto* control = find(QLatin1String(p.name));
        ASSERT_NE(control, nullptr);
        auto* container = find(QLatin1String(p.container));
        ASSERT_NE(container, nullptr);
        EXPECT_EQ(control->mapTo(container, QPoint(0, 0)), p.geometry.topLeft());
        EXPECT_EQ(control->size(), p.geometry.size());
    }
}

TEST_F(MainWindowTest, GridButtonsBelongToTheirRowsFrame)
{
    for (int i = 0; i < kGridRows; ++i) {
        SCOPED_TRACE(i);
        QWidget* frame = i == 0 ? window->SSTab1->page(1) : i <= 12 ? window->FrameDebug1 : window->FrameDebug2;
        EXPECT_EQ(window->CmdReadSingleSetting[i]->parentWidget(), frame);
        EXPECT_EQ(window->CmdWriteSingleSetting[i]->parentWidget(), frame);
        // Each row's buttons line up with their list, a few pixels apart at most.
        const int comboY = onTabControl(window->ComboInstellingen[i]).y();
        EXPECT_NEAR(onTabControl(window->CmdReadSingleSetting[i]).y(), comboY, 8);
        EXPECT_EQ(onTabControl(window->CmdReadSingleSetting[i]).y(),
                  onTabControl(window->CmdWriteSingleSetting[i]).y());
    }
}

TEST_F(MainWindowTest, EveryArrayElementCarriesItsIndexedName)
{
    for (int i = 0; i < kGridRows; ++i) {
        EXPECT_EQ(find<QComboBox>(QStringLiteral("ComboInstellingen(%1)").arg(i)), window->ComboInstellingen[i]);
        EXPECT_EQ(find<QPushButton>(QStringLiteral("CmdReadSingleSetting(%1)").arg(i)), window->CmdReadSingleSetting[i]);
        EXPECT_EQ(find<QPushButton>(QStringLiteral("CmdWriteSingleSetting(%1)").arg(i)), window->CmdWriteSingleSetting[i]);
    }
    for (int i = 0; i < kLogWindowLines; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2(%1)").arg(i)), window->Text2[i]);
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label4(1)")), window->Label4[1]);
    for (const char* name : {"TmrAfhandel", "TmrUpdateVensters", "LedTimer", "TimerDisplayInstellingen"})
        EXPECT_NE(window->findChild<QTimer*>(QLatin1String(name)), nullptr) << name;
    for (const char* name : {"LabWisUnit", "TxtLegendaTestOproepBericht", "CmdInstellingenOpslaan", "ShpRx"})
        EXPECT_NE(find(QLatin1String(name)), nullptr) << name;
}

TEST_F(MainWindowTest, ClientAreaIsFixedAndTheMenuBarHoldsThreePlainEntries)
{
    loadLanguage(0);
    window->show();
    EXPECT_EQ(window->centralWidget()->size(), QSize(1016, 660));
    EXPECT_EQ(window->centralWidget()->objectName(), QStringLiteral("client"));
    // The menu bar stands above the client area, which it does not cover.
    EXPECT_GT(window->menuBar()->height(), 10);
    EXPECT_EQ(window->centralWidget()->y(), window->menuBar()->height());
    EXPECT_EQ(window->height(), window->menuBar()->height() + 660);
    const QPoint offCentre = window->frameGeometry().center() - window->screen()->availableGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2); // rounding of odd sizes
    // Resizing the window changes nothing of the layout.
    window->resize(1400, 900);
    EXPECT_EQ(window->centralWidget()->size(), QSize(1016, 660));

    const QList<QAction*> entries = window->menuBar()->actions();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0], window->Setup);
    EXPECT_EQ(entries[1], window->Quit);
    EXPECT_EQ(entries[2], window->About);
    EXPECT_EQ(window->Setup->objectName(), QStringLiteral("Setup"));
    EXPECT_EQ(window->Quit->objectName(), QStringLiteral("Quit"));
    EXPECT_EQ(window->About->objectName(), QStringLiteral("About"));
    for (QAction* entry : entries)
        EXPECT_EQ(entry->menu(), nullptr);
}

TEST_F(MainWindowTest, TabStripIsOneRowOfFiveEqualTabsAcrossTheTop)
{
    window->show();
    QTabBar* strip = window->SSTab1->tabBar();
    ASSERT_EQ(window->SSTab1->count(), 5);
    ASSERT_EQ(strip->count(), 5);
    EXPECT_EQ(strip->mapTo(window->SSTab1, QPoint(0, 0)), QPoint(0, 0));
    EXPECT_LE(strip->height(), 32);
    int right = 0;
    for (int i = 0; i < 5; ++i) {
        const QRect tab = strip->tabRect(i);
        EXPECT_EQ(tab.top(), 0) << i;
        EXPECT_NEAR(tab.width(), 1001 / 5, 1) << i;
        EXPECT_EQ(tab.left(), right) << i;
        right = tab.right() + 1;
    }
    EXPECT_EQ(right, 1001);
}

TEST_F(MainWindowTest, CreationState)
{
    EXPECT_EQ(window->SSTab1->currentIndex(), 1);
    EXPECT_TRUE(window->SSTab1->page(1)->isVisibleTo(window->SSTab1));
    EXPECT_FALSE(window->SSTab1->page(0)->isVisibleTo(window->SSTab1));
    EXPECT_TRUE(window->ComboTestBleepCode->isHidden());
    EXPECT_TRUE(window->FrameRestarts->isHidden());
    EXPECT_TRUE(window->FrameSoftwareVersie->isHidden());
    EXPECT_TRUE(window->FrameClearAll->isHidden());
    EXPECT_FALSE(window->FramePagerOproepen->isHidden());

    EXPECT_TRUE(window->TmrAfhandel->isActive());
    EXPECT_EQ(window->TmrAfhandel->interval(), 25);
    EXPECT_EQ(window->TmrAfhandel->timerType(), Qt::PreciseTimer);
    EXPECT_TRUE(window->TmrUpdateVensters->isActive());
    EXPECT_EQ(window->TmrUpdateVensters->interval(), 100);
    EXPECT_TRUE(window->LedTimer->isActive());
    EXPECT_EQ(window->LedTimer->interval(), 250);
    EXPECT_FALSE(window->TimerDisplayInstellingen->isActive());
    EXPECT_EQ(window->TimerDisplayInstellingen->interval(), 0);
    EXPECT_TRUE(window->TimerDisplayInstellingen->isSingleShot());

    EXPECT_EQ(window->ShpTx->color(), QColor(192, 0, 0));
    EXPECT_EQ(window->ShpRx->color(), QColor(0, 192, 0));
    EXPECT_TRUE(window->TxtProgress()->toPlainText().isEmpty());
}

TEST_F(MainWindowTest, FieldsBehaveAsDesigned)
{
    EXPECT_EQ(window->TxtTestPagerAdres->maxLength(), 10);
    EXPECT_EQ(window->TxtTestPagerDisplayInfo->maxLength(), 40);

    EXPECT_TRUE(window->TxtProgress()->isReadOnly());
    EXPECT_EQ(window->TxtProgress()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->TxtProgress()->palette().color(QPalette::Text), QColor(0, 0, 255));

    for (QLineEdit* field : {window->Text2[0], window->Text2[24], window->TxtLegendaTestOproepAdres}) {
        EXPECT_TRUE(field->isReadOnly());
        EXPECT_FALSE(field->hasFrame());
    }
    EXPECT_FALSE(window->TxtTestPagerAdres->isReadOnly());
    EXPECT_EQ(window->Line1->palette().color(QPalette::Window), QColor(192, 192, 192));
}

TEST_F(MainWindowTest, TypingInAGridListNeitherAddsNorCompletesAnOption)
{
    window->show();
    state.grid.setCallPanel(true, {}, -1);
    window->SSTab1->setCurrentIndex(ServiceTab); // the bleep codes' page, first shown
    window->SSTab1->setCurrentIndex(SettingsTab);
    for (QComboBox* combo : {window->ComboInstellingen[0], window->ComboInstellingen[25],
                             window->ComboTestBleepCode}) {
        ASSERT_TRUE(combo->isEditable());
        combo->addItems({QStringLiteral("alpha"), QStringLiteral("beta")});
        combo->setEditText(QStringLiteral("typed"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(combo->count(), 2);
        EXPECT_EQ(combo->findText(QStringLiteral("typed")), -1);

        combo->lineEdit()->clear();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("be"));
        EXPECT_EQ(combo->currentText(), QStringLiteral("be")) << "a prefix stays what was typed";
        EXPECT_EQ(SelectedPosition(combo), -1);
    }
}

TEST_F(MainWindowTest, FixedCaptionsNeedNoTextTable)
{
    EXPECT_EQ(window->Label4[1]->text(), QStringLiteral("TxD"));
    EXPECT_EQ(window->Label4[2]->text(), QStringLiteral("RxD"));
    EXPECT_EQ(window->FrameRestarts->title(), QStringLiteral("Software restarts: "));
    EXPECT_EQ(window->FrameSoftwareVersie->title(), QStringLiteral("Software version: "));
    EXPECT_EQ(window->FrameClearAll->title(), QStringLiteral("Clear all settings in unit:  "));
    EXPECT_EQ(window->LabVersionSw->text(), QStringLiteral("NB"));
    EXPECT_EQ(window->CmdLeesRestarts->text(), QStringLiteral("Lees"));
    EXPECT_EQ(window->CmdWisRestarts->text(), QStringLiteral("Reset"));
    EXPECT_EQ(window->CmdReadSwVersion->text(), QStringLiteral("Lees"));
    EXPECT_EQ(window->CmdWisAlles->text(), QStringLiteral("WIS"));
}

TEST_F(MainWindowTest, GridViewPointsAtTheWindowsControls)
{
    const SettingsGrid view = window->grid();
    EXPECT_EQ(view.ComboInstellingen, window->ComboInstellingen);
    EXPECT_EQ(view.CmdReadSingleSetting, window->CmdReadSingleSetting);
    EXPECT_EQ(view.CmdWriteSingleSetting, window->CmdWriteSingleSetting);
    EXPECT_EQ(view.FramePagerOproepen, window->FramePagerOproepen);
    EXPECT_EQ(view.ComboTestBleepCode, window->ComboTestBleepCode);
    for (QComboBox* combo : view.ComboInstellingen)
        EXPECT_NE(combo, nullptr);
}

} // namespace
} // namespace pb::test
