// What the main window does by itself: message window, lamps, timers, the
// settings-tab click, the menu.
#include "MainWindowFixture.h"
#include "log/LogBuffer.h"
#include "ui/GridColouring.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

namespace pb::test {
namespace {

const QColor kRedDark(192, 0, 0), kRedLit(255, 128, 128);
const QColor kGreenDark(0, 192, 0), kGreenLit(128, 255, 128);

// Delivers one tick as the timer would.
void tick(QTimer* timer)
{
    ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout"));
}

// Answers the next message box once its own event loop runs.
void answerMessageBox(QObject* context, QMessageBox::StandardButton answer, QString* text, QString* title)
{
    QTimer::singleShot(0, context, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            answerMessageBox(context, answer, text, title);
            return;
        }
        *text = box->text();
        *title = box->windowTitle();
        box->button(answer)->click();
    });
}

// After QCoreApplication::exit() no event loop can run any more.
int runOneEventLoop()
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&loop] { loop.exit(7); });
    return loop.exec();
}

TEST_F(MainWindowTest, MessageWindowShowsTheBufferAndEmptiesTheRest)
{
    for (QLineEdit* field : window->Text2)
        field->setText(QStringLiteral("stale"));
    AddLogLine(state.log, QStringLiteral("10:00:00 first"));
    AddLogLine(state.log, QStringLiteral("10:00:01 second"));
    window->UpdateMessageWindow();
    EXPECT_EQ(window->Text2[0]->text(), QStringLiteral("10:00:00 first"));
    EXPECT_EQ(window->Text2[1]->text(), QStringLiteral("10:00:01 second"));
    for (int i = 2; i < kLogWindowLines; ++i)
        EXPECT_TRUE(window->Text2[i]->text().isEmpty()) << i;

    ClearLogLines(state.log);
    window->UpdateMessageWindow();
    for (QLineEdit* field : window->Text2)
        EXPECT_TRUE(field->text().isEmpty());
}

TEST_F(MainWindowTest, TheTwentySixthLinePushesTheFirstOut)
{
    for (int n = 1; n <= 26; ++n)
        AddLogLine(state.log, QStringLiteral("line %1").arg(n));
    window->UpdateMessageWindow();
    EXPECT_EQ(window->Text2[0]->text(), QStringLiteral("line 2"));
    EXPECT_EQ(window->Text2[24]->text(), QStringLiteral("line 26"));
}

TEST_F(MainWindowTest, LampTimerRefreshesTheMessageWindowOnlyWhileLogging)
{
    AddLogLine(state.log, QStringLiteral("seen"));
    state.config.logging = 0;
    tick(window->LedTimer);
    EXPECT_TRUE(window->Text2[0]->text().isEmpty());

    state.config.logging = 2;
    tick(window->LedTimer);
    EXPECT_EQ(window->Text2[0]->text(), QStringLiteral("seen"));

    // Logging off again: the window keeps what it last showed.
    state.config.logging = 0;
    AddLogLine(state.log, QStringLiteral("not yet"));
    tick(window->LedTimer);
    EXPECT_TRUE(window->Text2[1]->text().isEmpty());
    EXPECT_EQ(window->Text2[0]->text(), QStringLiteral("seen"));

    // Logging again: the line that came meanwhile shows; without a new line
    // the timer copies nothing.
    state.config.logging = 2;
    tick(window->LedTimer);
    EXPECT_EQ(window->Text2[1]->text(), QStringLiteral("not yet"));
    window->Text2[0]->setText(QStringLiteral("untouched"));
    tick(window->LedTimer);
    EXPECT_EQ(window->Text2[0]->text(), QStringLiteral("untouched"));
}

TEST_F(MainWindowTest, OneSentByteLightsTheTransmitLampForOneTick)
{
    state.lamps.sending = kTrue;
    tick(window->LedTimer);
    EXPECT_EQ(window->ShpTx->color(), kRedLit);
    EXPECT_EQ(state.lamps.txLampOn, kTrue);
    EXPECT_EQ(state.lamps.sending, kTrue);
    EXPECT_EQ(window->ShpRx->color(), kGreenDark); // no byte received

    tick(window->LedTimer);
    EXPECT_EQ(window->ShpTx->color(), kRedDark);
    EXPECT_EQ(state.lamps.txLampOn, kFalse);
    EXPECT_EQ(state.lamps.sending, kFalse);

    tick(window->LedTimer);
    EXPECT_EQ(window->ShpTx->color(), kRedDark);
}

TEST_F(MainWindowTest, ContinuousTrafficBlinksBothLampsEveryOtherTick)
{
    for (int n = 0; n < 4; ++n) {
        state.lamps.sending = kTrue;
        state.lamps.receiving = kTrue;
        tick(window->LedTimer);
        const bool lit = n % 2 == 0;
        EXPECT_EQ(window->ShpTx->color(), lit ? kRedLit : kRedDark) << n;
        EXPECT_EQ(window->ShpRx->color(), lit ? kGreenLit : kGreenDark) << n;
    }
}

TEST_F(MainWindowTest, DisplaySettingsTimerFiresOnceAndStops)
{
    QSignalSpy requested(window.get(), &MainWindow::displaySettingsRequested);
    window->TimerDisplayInstellingen->start(10);
    tick(window->TimerDisplayInstellingen);
    EXPECT_EQ(requested.count(), 1);
    EXPECT_FALSE(window->TimerDisplayInstellingen->isActive());
}

TEST_F(MainWindowTest, ArmingTheDisplayTimerFiresItOnceAfterTenMilliseconds)
{
    QSignalSpy requested(window.get(), &MainWindow::displaySettingsRequested);
    window->ArmDisplayTimer();
    EXPECT_EQ(window->TimerDisplayInstellingen->interval(), 10);
    EXPECT_TRUE(window->TimerDisplayInstellingen->isActive());
    EXPECT_TRUE(requested.wait(5000));
    EXPECT_FALSE(window->TimerDisplayInstellingen->isActive());
}

class SettingsTabClick : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        window->show();
        for (int i = 0; i < kGridRows; ++i) {
            QComboBox* combo = window->ComboInstellingen[i];
            combo->addItem(QStringLiteral("Row %1 option").arg(i));
            combo->setCurrentIndex(0);
            combo->lineEdit()->selectAll();
            if (i % 3 == 0)
                combo->hide();
        }
    }

    void clickTab(int index)
    {
        QTabBar* strip = window->SSTab1->tabBar();
        QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index).center());
    }

    int rowsWithSelection() const
    {
        int rows = 0;
        for (QComboBox* combo : window->ComboInstellingen)
            rows += combo->lineEdit()->hasSelectedText() ? 1 : 0;
        return rows;
    }
};

TEST_F(SettingsTabClick, ChoosingTheSettingsTabDeselectsEveryRow)
{
    window->SSTab1->setCurrentIndex(0);
    ASSERT_EQ(rowsWithSelection(), kGridRows);
    clickTab(1);
    EXPECT_EQ(window->SSTab1->currentIndex(), 1);
    EXPECT_EQ(rowsWithSelection(), 0);
    // The text itself stays.
    EXPECT_EQ(window->ComboInstellingen[3]->currentText(), QStringLiteral("Row 3 option"));
}

TEST_F(SettingsTabClick, ClickOnTheSettingsTabAlreadyShownDeselectsToo)
{
    ASSERT_EQ(window->SSTab1->currentIndex(), 1);
    clickTab(1);
    EXPECT_EQ(rowsWithSelection(), 0);
}

TEST_F(SettingsTabClick, OtherTabsLeaveTheSelection)
{
    QSignalSpy clicks(window->SSTab1, &TabControl::tabClicked);
    clickTab(2);
    EXPECT_EQ(window->SSTab1->currentIndex(), 2);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1); // the tab shown before
    EXPECT_EQ(rowsWithSelection(), kGridRows);
}

TEST_F(SettingsTabClick, TheGridIsColouredWhileItsTabIsShownAndAtOnceWhenItComesBack)
{
    QComboBox* combo = window->ComboInstellingen[2];
    const auto textColour = [combo] { return combo->palette().color(QPalette::Active, QPalette::Text); };
    const QColor muted = ConfirmedRowColour(combo);
    state.rows.SettingsInUnit[2] = state.grid.position(2);
    clickTab(2);
    tick(window->TmrUpdateVensters);
    EXPECT_NE(textColour(), muted) << "the grid is out of sight";
    clickTab(1);
    EXPECT_EQ(textColour(), muted);

    state.rows.SettingsInUnit[2] = state.grid.position(2) + 1;
    tick(window->TmrUpdateVensters);
    EXPECT_EQ(textColour(), UnconfirmedRowColour(combo));
}

TEST_F(SettingsTabClick, SelectingTheTabFromCodeIsNoClick)
{
    QSignalSpy clicks(window->SSTab1, &TabControl::tabClicked);
    QSignalSpy changes(window->SSTab1, &TabControl::currentChanged);
    window->SSTab1->setCurrentIndex(3);
    window->SSTab1->setCurrentIndex(1);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_TRUE(window->SSTab1->page(1)->isVisible());
    EXPECT_FALSE(window->SSTab1->page(3)->isVisible());
}

TEST_F(MainWindowTest, QuitAnsweredWithCancelKeepsTheProgramRunning)
{
    loadLanguage(0);
    window->show();
    QSignalSpy closePort(window.get(), &MainWindow::closePortRequested);
    QString text, title;
    answerMessageBox(window.get(), QMessageBox::Cancel, &text, &title);
    window->Quit->trigger();

    EXPECT_EQ(text, QStringLiteral("Are you sure to leave the Pagerbench software?"));
    EXPECT_EQ(title, QStringLiteral("Pagerbench by pagerbench.example"));
    EXPECT_EQ(closePort.count(), 0);
    EXPECT_EQ(runOneEventLoop(), 7);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, ClosingByTheFrameAsksNothingAndClosesThePort)
{
    window->show();
    QSignalSpy closePort(window.get(), &MainWindow::closePortRequested);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(closePort.count(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace pb::test
