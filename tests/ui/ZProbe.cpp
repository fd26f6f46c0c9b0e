#include "MainWindowFixture.h"
#include <QMenuBar>
#include <QLayout>
#include <QApplication>
namespace pb::test {
TEST_F(MainWindowTest, Probe)
{
    auto dump=[&](const char* w){ qDebug() << w << window->size() << window->menuBar()->geometry() << window->centralWidget()->geometry() << window->layout()->sizeConstraint() << window->minimumSize() << window->maximumSize(); };
    dump("ctor"); loadLanguage(0); dump("texts");
    window->show(); dump("show");
    QApplication::processEvents(); dump("proc");
}
}
