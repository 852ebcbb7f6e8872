#include "data/clsCampaign.h"
#include "ui/main/frmCampaign.h"
#include "ui/scenario/frmScenario.h"
#include "ui/services/UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The check's message boxes are answered at once, so the window stays as
// the check left it; no file dialog is ever opened.
class SilentDialogs final : public UserDialogs {
public:
    int16_t MsgBox(QWidget*, const QString&, int16_t, const QString&) override { return MsgBoxAnswer::OK; }
    std::optional<FileChoice> ShowOpen(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<FileChoice> ShowSave(QWidget*, const FileRequest&) override { return std::nullopt; }
};

struct SampleScenario {
    const char* Name;
    int32_t Prestige;
    std::array<int32_t, clsScenario::OutcomeCount> GoTo;
};

// A short campaign with one broken link, so the check list has a message.
void FillSample(clsCampaign& Campaign)
{
    Campaign.SetName("marchland");
    Campaign.SetDescription("MARCHTXT");
    Campaign.SetNation(1);
    Campaign.SetPrestige(1200);
    const std::array<SampleScenario, 5> Samples{{
        {"BORDER", 300, {2, 1, 1, clsCampaign::LossScenario}},
        {"RIVER", 450, {2, 2, 3, clsCampaign::LossScenario}},
        {"BRIDGE", 600, {4, 4, 3, clsCampaign::LossScenario}},
        {"FOREST", 650, {4, 4, 6, clsCampaign::LossScenario}},
        {"CITY", 900, {clsCampaign::VictoryScenario, clsCampaign::VictoryScenario, clsCampaign::VictoryScenario,
                       clsCampaign::LossScenario}},
    }};
    const std::array<const char*, clsScenario::OutcomeCount> Endings{"BV", "V", "MV", "D"};
    for (std::size_t intI = 0; intI < Samples.size(); ++intI) {
        const SampleScenario& Sample = Samples[intI];
        const std::string strName = Sample.Name;
        clsScenario& Scenario = Campaign.Scenarios(static_cast<int16_t>(intI));
        Scenario.SetNumber(static_cast<int32_t>(intI));
        Scenario.SetName(strName);
        Scenario.SetText(strName.substr(0, 5) + "TXT");
        Scenario.SetVoice(strName.substr(0, 5) + "VOC");
        Scenario.SetMovie(strName.substr(0, 5) + "MOV");
        Scenario.SetPrestige(Sample.Prestige);
        for (int16_t intJ = 0; intJ < clsScenario::OutcomeCount; ++intJ) {
            const std::string strEnding = strName.substr(0, 4) + Endings.at(static_cast<std::size_t>(intJ));
            Scenario.SetResultScenario(intJ, Sample.GoTo.at(static_cast<std::size_t>(intJ)));
            Scenario.SetResultPrestige(intJ, intJ == 3 ? 0 : 200 - 50 * intJ);
            Scenario.SetResultText(intJ, strEnding + "T");
            Scenario.SetResultVoice(intJ, strEnding + "V");
            Scenario.SetResultMovie(intJ, strEnding + "M");
        }
    }
}

bool Save(QWidget& Window, const QDir& Folder, const QString& strFile)
{
    const QString strPath = Folder.filePath(strFile);
    if (!Window.grab().save(strPath, "PNG")) {
        std::fprintf(stderr, "make_screenshots: cannot write %s\n", qPrintable(strPath));
        return false;
    }
    return true;
}

} // namespace

// Shows the editor's main window and scenario dialog on a sample campaign
// and saves a picture of each into the folder given.
int main(int argc, char** argv)
{
    QApplication App(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_screenshots FOLDER\n");
        return EXIT_FAILURE;
    }
    const QDir Folder(QString::fromLocal8Bit(argv[1]));

    SilentDialogs Dialogs;
    frmCampaign Window(Dialogs);
    frmScenario ScenarioDialog(Dialogs, &Window);
    // Large enough to keep off the stack.
    const auto Campaign = std::make_unique<clsCampaign>();
    FillSample(*Campaign);
    Window.SetScenarioDialog(ScenarioDialog);
    Window.SetCampaign(*Campaign);
    ScenarioDialog.SetCampaign(*Campaign);

    Window.Update(2);
    Window.show();
    Window.findChild<QPushButton*>(QStringLiteral("cmdCheck"))->click();
    QApplication::processEvents();
    if (!Save(Window, Folder, QStringLiteral("main-window.png"))) {
        return EXIT_FAILURE;
    }

    ScenarioDialog.Scenario().Copy(Campaign->Scenarios(2));
    ScenarioDialog.Update();
    ScenarioDialog.show();
    QApplication::processEvents();
    return Save(ScenarioDialog, Folder, QStringLiteral("scenario-dialog.png")) ? EXIT_SUCCESS : EXIT_FAILURE;
}
