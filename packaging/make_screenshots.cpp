#include "data/Campaign.h"
#include "storage/CampaignStorage.h"
#include "ui/main/CampaignWindow.h"
#include "ui/scenario/ScenarioDialog.h"
#include "ui/services/UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The check's message boxes are answered at once, so the window stays as
// the check left it; no file dialog is ever opened.
class SilentDialogs final : public UserDialogs {
public:
    int16_t msgBox(QWidget*, const QString&, int16_t, const QString&) override { return MsgBoxAnswer::OK; }
    std::optional<FileChoice> showOpen(QWidget*, const FileRequest&) override { return std::nullopt; }
    std::optional<FileChoice> showSave(QWidget*, const FileRequest&) override { return std::nullopt; }
};

bool save(QWidget& window, const QDir& folder, const QString& file)
{
    const QString path = folder.filePath(file);
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "make_screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

// Opens a campaign file in the editor's main window, runs its check, selects
// the third scenario and opens it in the scenario dialog, and saves a
// picture of each window into the folder given.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_screenshots CAMPAIGN.cam FOLDER\n");
        return EXIT_FAILURE;
    }
    const QString campaignText = QString::fromLocal8Bit(argv[1]);
    const QDir folder(QString::fromLocal8Bit(argv[2]));

    // Large enough to keep off the stack.
    const auto campaign = std::make_unique<Campaign>();
    if (const QString reason = readCampaignFile(argv[1], *campaign); !reason.isEmpty()) {
        std::fprintf(stderr, "make_screenshots: %s: %s\n", argv[1], qPrintable(reason));
        return EXIT_FAILURE;
    }
    campaign->setName(QFileInfo(campaignText).completeBaseName().toStdString());
    const int16_t shown = 2;
    if (campaign->scenarios(shown).number() != shown) {
        std::fprintf(stderr, "make_screenshots: %s has no scenario %d to show\n", argv[1], shown);
        return EXIT_FAILURE;
    }

    SilentDialogs dialogs;
    CampaignWindow window(dialogs);
    ScenarioDialog scenarioDialog(dialogs, &window);
    window.setScenarioDialog(scenarioDialog);
    window.setCampaign(*campaign);
    scenarioDialog.setCampaign(*campaign);

    window.refresh(shown);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("checkButton"))->click();
    QApplication::processEvents();
    if (!save(window, folder, QStringLiteral("main-window.png"))) {
        return EXIT_FAILURE;
    }

    scenarioDialog.scenario().copy(campaign->scenarios(shown));
    scenarioDialog.refresh();
    scenarioDialog.show();
    QApplication::processEvents();
    return save(scenarioDialog, folder, QStringLiteral("scenario-dialog.png")) ? EXIT_SUCCESS : EXIT_FAILURE;
}
