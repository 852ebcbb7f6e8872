#include "ui/main/Startup.h"

#include "data/Campaign.h"
#include "ui/main/CampaignWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/services/LayoutFont.h"

#include <QEventLoop>

#include <optional>

int runEditor(UserDialogs& Dialogs)
{
    std::optional<LayoutFontWhileMaking> MakingWindows(std::in_place);
    CampaignWindow Window(Dialogs);
    ScenarioDialog scenarioDialog(Dialogs, &Window);
    MakingWindows.reset();
    Campaign campaign;
    Window.setScenarioDialog(scenarioDialog);
    Window.setCampaign(campaign);
    scenarioDialog.setCampaign(campaign);
    Window.refresh(-1);

    QEventLoop Loop;
    QObject::connect(&Window, &CampaignWindow::hidden, &Loop, &QEventLoop::quit);
    Window.show();
    return Loop.exec();
}
