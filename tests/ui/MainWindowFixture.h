#pragma once
// A main window over a fresh program state, for the window tests.
#include "app/AppState.h"
#include "ui/MainWindow.h"

#include <gtest/gtest.h>
#include <memory>

namespace pb::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { window = std::make_unique<MainWindow>(state); }

    void loadLanguage(int16_t code)
    {
        LoadTexts(state.texts, code);
        window->applyTexts();
    }

    template <typename T = QWidget>
    T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }

    // Where a control sits in the tab control's own coordinates.
    QPoint onTabControl(QWidget* control) const { return control->mapTo(window->SSTab1, QPoint(0, 0)); }

    AppState state;
    std::unique_ptr<MainWindow> window;
};

} // namespace pb::test
