#include "ui/main/basMain.h"

#include "data/clsCampaign.h"
#include "ui/main/frmCampaign.h"
#include "ui/scenario/frmScenario.h"
#include "ui/services/LayoutFont.h"

#include <QEventLoop>

#include <optional>

int Main(UserDialogs& Dialogs)
{
    std::optional<LayoutFontWhileMaking> MakingWindows(std::in_place);
    frmCampaign Window(Dialogs);
    frmScenario ScenarioDialog(Dialogs, &Window);
    MakingWindows.reset();
    clsCampaign Campaign;
    Window.SetScenarioDialog(ScenarioDialog);
    Window.SetCampaign(Campaign);
    ScenarioDialog.SetCampaign(Campaign);
    Window.Update(-1);

    QEventLoop Loop;
    QObject::connect(&Window, &frmCampaign::Hidden, &Loop, &QEventLoop::quit);
    Window.show();
    return Loop.exec();
}
