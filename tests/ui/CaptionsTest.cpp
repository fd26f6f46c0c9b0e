// Captions from the text table, in each language.
#include "MainWindowFixture.h"

namespace pb::test {
namespace {

QStringList tabCaptions(const MainWindow& window)
{
    QStringList captions;
    for (int i = 0; i < window.SSTab1->count(); ++i)
        captions << window.SSTab1->tabText(i);
    return captions;
}

TEST_F(MainWindowTest, EnglishCaptions)
{
    loadLanguage(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" Pagerbench by pagerbench.example"));
    EXPECT_EQ(tabCaptions(*window), (QStringList{"Status", "Settings", "File", "Unit", "Service"}));
    EXPECT_EQ(window->FrmCommunicatie->title(), QStringLiteral("ComPort: "));
    EXPECT_EQ(window->FrameUnitInstellingen->title(), QStringLiteral("Unit settings: "));
    EXPECT_EQ(window->TxtLegendaTestOproepAdres->text(), QStringLiteral("Address:"));
    EXPECT_EQ(window->TxtLegendaTestOproepBericht->text(), QStringLiteral("Message"));
    EXPECT_EQ(window->CmdLeesAlles->text(), QStringLiteral("Read all settings from Unit"));
    // Texts outside the table stay as they are.
    EXPECT_EQ(window->Label4[1]->text(), QStringLiteral("TxD"));
    EXPECT_EQ(window->FrameClearAll->title(), QStringLiteral("Clear all settings in unit:  "));
}

// The French caption is wider than the fixed button at the window's font.
TEST_F(MainWindowTest, ACaptionTooLongForItsButtonTakesASmallerFontUntilTheLanguageChanges)
{
    loadLanguage(3);
    const QPushButton& button = *window->CmdSchrijfAlles;
    EXPECT_LT(button.font().pointSizeF(), window->font().pointSizeF());
    EXPECT_LT(button.fontMetrics().horizontalAdvance(button.text()), button.width());
    loadLanguage(0);
    EXPECT_EQ(button.font(), window->font());
}

TEST_F(MainWindowTest, ALanguageChangeRecaptionsEverythingAndKeepsTheColons)
{
    loadLanguage(0);
    loadLanguage(1);
    EXPECT_EQ(window->FrmCommunicatie->title(), QStringLiteral("ComPoort: "));
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" Pagerbench van pagerbench.example"));
    EXPECT_EQ(tabCaptions(*window), (QStringList{"Status", "Instellingen", "Bestand", "Unit", "Service"}));
    EXPECT_EQ(window->Quit->text(), QStringLiteral("Einde"));
    EXPECT_EQ(window->About->text(), QStringLiteral("Info"));
    EXPECT_EQ(window->CmdReadSingleSetting[25]->text(), QStringLiteral("Lezen"));
    EXPECT_EQ(window->FramePagerOproepen->title(), QStringLiteral("Pager oproepen: "));
    EXPECT_EQ(window->TxtLegendaTestOproepAdres->text(), QStringLiteral("Adres:"));

    loadLanguage(2);
    EXPECT_EQ(window->FrmCommunicatie->title(), QStringLiteral("Comport: "));
    EXPECT_EQ(tabCaptions(*window), (QStringList{"Status", "Einstellungen", "Datei", "Unit", "Service"}));
    EXPECT_EQ(window->Setup->text(), QStringLiteral("Einstellungen"));
    EXPECT_EQ(window->CmdWriteSingleSetting[0]->text(), QStringLiteral("Schreiben"));
    EXPECT_EQ(window->TxtLegendaTestOproepBleepcode->text(), QStringLiteral("Signalton-Code:"));
    EXPECT_EQ(window->TxtLegendaTestOproepBericht->text(), QStringLiteral("Nachricht"));
    EXPECT_EQ(window->CmdTestOproepPager->text(), QStringLiteral("Senden"));
}

TEST_F(MainWindowTest, EveryTranslatedCaptionFollowsItsTextNumber)
{
    // Distinct marker texts catch a caption wired to the wrong number.
    for (int n = 0; n < kTextSlots; ++n)
        state.texts[n] = QStringLiteral("#%1").arg(n);
    window->applyTexts();
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" #19"));
    EXPECT_EQ(tabCaptions(*window), (QStringList{"#20", "#8", "#21", "#22", "#23"}));
    const std::pair<QString, QString> captions[] = {
        {window->Setup->text(), "#8"},
        {window->Quit->text(), "#10"},
        {window->About->text(), "#4"},
        {window->FrmCommunicatie->title(), "#15: "},
        {window->CmdReadSingleSetting[7]->text(), "#24"},
        {window->CmdWriteSingleSetting[19]->text(), "#25"},
        {window->CmdInstellingenOpslaan->text(), "#81"},
        {window->CmdInstellingenLezen->text(), "#82"},
        {window->CmdOpslaanUnitGegevens->text(), "#83"},
        {window->CmdLezenUnitgegevens->text(), "#84"},
        {window->FrameUnitInstellingen->title(), "#85: "},
        {window->FrameAlleInstellingen->title(), "#86: "},
        {window->CmdWisLogVenster->text(), "#92"},
        {window->CmdCancelReadWrite->text(), "#93"},
        {window->CmdLeesAlles->text(), "#94"},
        {window->CmdSchrijfAlles->text(), "#95"},
        {window->FramePagerOproepen->title(), "#96: "},
        {window->TxtLegendaTestOproepAdres->text(), "#42:"},
        {window->TxtLegendaTestOproepBleepcode->text(), "#97:"},
        {window->TxtLegendaTestOproepBericht->text(), "#55"},
        {window->CmdTestOproepPager->text(), "#17"},
    };
    for (const auto& [shown, expected] : captions)
        EXPECT_EQ(shown, expected);
}

} // namespace
} // namespace pb::test
