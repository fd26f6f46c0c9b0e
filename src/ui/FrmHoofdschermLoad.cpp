// The window's load event lives apart from the window: it pulls in the whole
// start-up sequence, which the window itself does not need.
#include "app/Startup.h"
#include "ui/FrmHoofdscherm.h"

namespace pb {

void FrmHoofdscherm::Form_Load()
{
    StartProgramma(state_, *this);
    TimerDisplayInstellingen->setInterval(10);
    TimerDisplayInstellingen->start();
}

} // namespace pb
