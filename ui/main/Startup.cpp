#include "ui/main/Startup.h"

#include "data/Campaign.h"
#include "ui/main/CampaignWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/services/LayoutFont.h"

#include <QEventLoop>

#include <optional>

int runEditor(UserDialogs& dialogs)
{
    std::optional<LayoutFontWhileMaking> makingWindows(std::in_place);
    CampaignWindow window(dialogs);
    ScenarioDialog scenarioDialog(dialogs, &window);
    makingWindows.reset();
    Campaign campaign;
    window.setScenarioDialog(scenarioDialog);
    window.setCampaign(campaign);
    scenarioDialog.setCampaign(campaign);
    window.refresh(-1);

    QEventLoop loop;
    QObject::connect(&window, &CampaignWindow::hidden, &loop, &QEventLoop::quit);
    window.show();
    return loop.exec();
}
