#include "ui/main/Startup.h"

#include "data/Campaign.h"
#include "ui/main/CampaignWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/services/LayoutFont.h"

#include <QEventLoop>

#include <optional>

int Main(UserDialogs& Dialogs)
{
    std::optional<LayoutFontWhileMaking> MakingWindows(std::in_place);
    CampaignWindow Window(Dialogs);
    ScenarioDialog scenarioDialog(Dialogs, &Window);
    MakingWindows.reset();
    Campaign campaign;
    Window.SetScenarioDialog(scenarioDialog);
    Window.SetCampaign(campaign);
    scenarioDialog.SetCampaign(campaign);
    Window.Update(-1);

    QEventLoop Loop;
    QObject::connect(&Window, &CampaignWindow::Hidden, &Loop, &QEventLoop::quit);
    Window.show();
    return Loop.exec();
}
