#include "CamTestSupport.h"

#include "cli/CampaignJson.h"
#include "storage/CampaignStorage.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace CamTest;

namespace {

// Three scenarios: 0 leads to 1, 1 and 2 end the campaign; nothing leads to 2.
std::unique_ptr<Campaign> Base()
{
    auto campaign = CampaignOf({{0, {1, 1, 254, 255}}, {1, {254, 254, 254, 255}}, {2, {254, 254, 254, 255}}});
    campaign->SetDescription("DESC");
    campaign->SetNation(1);
    campaign->SetPrestige(1000);
    return campaign;
}

// The bytes of the campaign, with a byte the fields do not carry set at offset.
QByteArray WithUnread(const Campaign& campaign, int offset)
{
    QByteArray bytes = CampaignBytes(campaign);
    bytes[offset] = 7;
    return bytes;
}

} // namespace

TEST(Diff, NamesEachChangeAsADesignerSaysIt)
{
    struct Row {
        const char* change;
        std::function<QByteArray(Campaign&)> edit;
        QStringList lines;
        const char* stat;
    };
    const Row rows[] = {
        {"nothing", [](Campaign& c) { return CampaignBytes(c); }, {}, ""},
        {"header",
         [](Campaign& c) {
             c.SetDescription("ARDENNES");
             c.SetNation(2);
             c.SetPrestige(1200);
             return CampaignBytes(c);
         },
         {"description: ARDENNES (was DESC)", "nation: U.R.S.S (was U.K)", "prestige: 1200 (was 1000)"},
         "header changed"},
        {"fields of a record",
         [](Campaign& c) {
             c.Scenarios(1).SetName("RIVER");
             c.Scenarios(1).SetVoice("RIVVOC");
             c.Scenarios(1).SetSecondUnknown(7);
             return CampaignBytes(c);
         },
         {"scenario 1 RIVER: name RIVER (was scen1)", "scenario 1 RIVER: voice RIVVOC (was (none))",
          "scenario 1 RIVER: second value 7 (was 0)"},
         "1 scenario changed"},
        {"outcomes",
         [](Campaign& c) {
             c.Scenarios(0).SetResultScenario(1, 2);
             c.Scenarios(2).SetResultPrestige(3, 50);
             c.Scenarios(2).SetResultMovie(0, "WON");
             return CampaignBytes(c);
         },
         {"scenario 0 scen0: Victory leads to scenario 2 (was scenario 1)",
          "scenario 2 scen2: Brilliant Victory movie WON (was (none))", "scenario 2 scen2: Defeat prestige 50 (was 0)"},
         "2 scenarios changed"},
        {"added",
         [](Campaign& c) {
             c.Scenarios(3).Copy(c.Scenarios(2));
             c.Scenarios(3).SetNumber(3);
             c.Scenarios(3).SetName("CITY");
             return CampaignBytes(c);
         },
         {"scenario 3 CITY: added"}, "1 added"},
        {"removed",
         [](Campaign& c) {
             c.Scenarios(2).SetNumber(-1);
             return CampaignBytes(c);
         },
         {"scenario 2 scen2: removed"}, "1 removed"},
        // Scenarios 1 and 2 trade places and scenario 0 follows scenario 1 to
        // its new slot: only the moves are news.
        {"moved",
         [](Campaign& c) {
             Scenario one;
             one.Copy(c.Scenarios(1));
             c.Scenarios(1).Copy(c.Scenarios(2));
             c.Scenarios(1).SetNumber(1);
             c.Scenarios(2).Copy(one);
             c.Scenarios(2).SetNumber(2);
             c.Scenarios(0).SetResultScenario(0, 2);
             c.Scenarios(0).SetResultScenario(1, 2);
             return CampaignBytes(c);
         },
         {"scenario 1 scen1: moved to slot 2", "scenario 2 scen2: moved to slot 1"}, "2 moved"},
        {"unread bytes",
         [](Campaign& c) {
             QByteArray bytes = WithUnread(c, 44 + 636 + 600);
             bytes[31900] = 1;
             return bytes;
         },
         {"scenario 1 scen1: 1 unread byte differs", "trailer: 1 unread byte differs"},
         "1 scenario changed, unread bytes outside the scenarios changed"},
    };
    QTemporaryDir dir;
    const QString before = SaveCampaign(dir, QStringLiteral("before.cam"), *Base());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        auto after = Base();
        const QByteArray bytes = row.edit(*after);
        const ToolRun lines = InProcess({QStringLiteral("diff"), before, QStringLiteral("-")}, bytes);
        EXPECT_EQ(lines.Status, row.lines.isEmpty() ? 0 : 1) << lines.Err.data();
        EXPECT_EQ(lines.OutLines(), row.lines);
        const ToolRun stat = InProcess({QStringLiteral("diff"), QStringLiteral("--stat"), before, QStringLiteral("-")},
                                       bytes);
        EXPECT_EQ(stat.Out, row.lines.isEmpty() ? QByteArray() : QByteArray(row.stat) + '\n');
        // Its JSON form is the same campaign.
        const ToolRun json =
            InProcess({QStringLiteral("diff"), QStringLiteral("-"), before}, CampaignJson(*after, bytes));
        EXPECT_EQ(json.OutLines().size(), row.lines.size()) << json.Err.data();
    }
    EXPECT_EQ(InProcess({QStringLiteral("diff"), before, dir.filePath(QStringLiteral("gone.cam"))}).Status, 2);
}

// git diff and git log -p read campaign files through export, as the README shows.
TEST(Diff, GitShowsCampaignsThroughTheTool)
{
    QTemporaryDir dir;
    static_cast<void>(SaveCampaign(dir, QStringLiteral("a.cam"), *Base()));
    auto after = Base();
    after->Scenarios(0).SetResultScenario(1, 2);
    QFile json(dir.filePath(QStringLiteral("b.json")));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly) && json.write(CampaignJson(*after)) > 0);
    json.close();
    const ToolRun run = InShell(dir.path(), "git init -q . && git config user.email t@example.org && "
                                            "git config user.name t && "
                                            "git config diff.ironvale.textconv \"'" IRONVALE_CAM "' export\" && "
                                            "echo '*.cam diff=ironvale' > .gitattributes && "
                                            "git add a.cam .gitattributes && git commit -qm one && "
                                            "cam import b.json -o a.cam --no-check && git commit -qam two && "
                                            "git log -p -1 --no-color a.cam");
    ASSERT_EQ(run.Status, 0) << run.Err.data();
    const QString out = QString::fromUtf8(run.Out);
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("\\n-\\s*\"goto\": 1,\\n\\+\\s*\"goto\": 2,"))))
        << out.toStdString();
}

// Counts past 64 bits are named, not wrapped; unbounded values are null in JSON.
TEST(Paths, ShowsHugeAndEndlessCounts)
{
    Layout chain;
    for (int16_t i = 0; i < 50; ++i) {
        const int32_t next = i == 49 ? 254 : i + 1;
        chain.push_back({i, {next, next, next, next}});
    }
    const QStringList lines = InProcess({QStringLiteral("paths"), QStringLiteral("-")},
                                        CampaignBytes(*CampaignOf(chain)))
                                  .OutLines();
    EXPECT_EQ(lines.value(32), QStringLiteral("Scenario 32 scen32: 18446744073709551616 routes, battles 32, prestige 0"));
    EXPECT_EQ(lines.value(33), QStringLiteral("Scenario 33 scen33: more than 2^64 routes, battles 33, prestige 0"));
    const ToolRun map = InProcess({QStringLiteral("map"), QStringLiteral("--paths"), QStringLiteral("-")},
                                  CampaignBytes(*CampaignOf(chain)));
    EXPECT_TRUE(map.Out.contains("#033 scen33<BR/><FONT POINT-SIZE=\"10\">battles 33, prestige 0</FONT>"));

    const ToolRun looping = InProcess({QStringLiteral("paths"), QStringLiteral("--json"), QStringLiteral("-")},
                                      CampaignBytes(*CampaignOf({{0, {0, 0, 254, 255}}})));
    EXPECT_TRUE(looping.Out.contains(R"("victory": {"reached": true, "routes": null, "fewestBattles": 1, )"
                                     R"("mostBattles": null, "leastPrestige": 0, "mostPrestige": 0, "cycles": [[0]]})"))
        << looping.Out.data();
}
