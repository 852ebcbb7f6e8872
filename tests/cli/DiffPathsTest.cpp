#include "CamTestSupport.h"

#include "cli/CampaignJson.h"
#include "storage/CampaignStorage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace CamTest;

namespace {

// Three scenarios: 0 leads to 1, 1 and 2 end the campaign; nothing leads to 2.
std::unique_ptr<Campaign> base()
{
    auto campaign = campaignOf({{0, {1, 1, 254, 255}}, {1, {254, 254, 254, 255}}, {2, {254, 254, 254, 255}}});
    campaign->setDescription("DESC");
    campaign->setNation(1);
    campaign->setPrestige(1000);
    return campaign;
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
        {"nothing", [](Campaign& c) { return campaignBytes(c); }, {}, ""},
        {"header and fields of a record",
         [](Campaign& c) {
             c.setDescription("ARDENNES");
             c.setNation(2);
             c.setPrestige(1200);
             c.scenarios(1).setName("RIVER");
             c.scenarios(1).setVoice("RIVVOC");
             c.scenarios(1).setSecondUnknown(7);
             return campaignBytes(c);
         },
         {"description: ARDENNES (was DESC)", "nation: U.R.S.S (was U.K)", "prestige: 1200 (was 1000)",
          "scenario 1 RIVER: name RIVER (was scen1)", "scenario 1 RIVER: voice RIVVOC (was (none))",
          "scenario 1 RIVER: second value 7 (was 0)"},
         "header changed, 1 scenario changed"},
        {"outcomes",
         [](Campaign& c) {
             c.scenarios(0).setResultScenario(1, 2);
             c.scenarios(2).setResultPrestige(3, 50);
             c.scenarios(2).setResultMovie(0, "WON");
             return campaignBytes(c);
         },
         {"scenario 0 scen0: Victory leads to scenario 2 (was scenario 1)",
          "scenario 2 scen2: Brilliant Victory movie WON (was (none))", "scenario 2 scen2: Defeat prestige 50 (was 0)"},
         "2 scenarios changed"},
        {"added",
         [](Campaign& c) {
             c.scenarios(3).copy(c.scenarios(2));
             c.scenarios(3).setNumber(3);
             c.scenarios(3).setName("CITY");
             return campaignBytes(c);
         },
         {"scenario 3 CITY: added"},
         "1 added"},
        {"removed",
         [](Campaign& c) {
             c.scenarios(2).setNumber(-1);
             return campaignBytes(c);
         },
         {"scenario 2 scen2: removed"},
         "1 removed"},
        // Scenarios 1 and 2 trade places and scenario 0 follows scenario 1 to
        // its new slot: only the moves are news.
        {"moved",
         [](Campaign& c) {
             Scenario one;
             one.copy(c.scenarios(1));
             c.scenarios(1).copy(c.scenarios(2));
             c.scenarios(1).setNumber(1);
             c.scenarios(2).copy(one);
             c.scenarios(2).setNumber(2);
             c.scenarios(0).setResultScenario(0, 2);
             c.scenarios(0).setResultScenario(1, 2);
             return campaignBytes(c);
         },
         {"scenario 1 scen1: moved to slot 2", "scenario 2 scen2: moved to slot 1"},
         "2 moved"},
        {"unread bytes",
         [](Campaign& c) {
             // Bytes no field carries: in scenario 1's reserved tail, and after the scenarios.
             QByteArray bytes = campaignBytes(c);
             bytes[44 + 636 + 600] = 7;
             bytes[31900] = 1;
             return bytes;
         },
         {"scenario 1 scen1: 1 unread byte differs", "trailer: 1 unread byte differs"},
         "1 scenario changed, unread bytes outside the scenarios changed"},
    };
    QTemporaryDir dir;
    const QString before = saveCampaign(dir, QStringLiteral("before.cam"), *base());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        auto after = base();
        const QByteArray bytes = row.edit(*after);
        const ToolRun lines = inProcess({"diff", before, "-"}, bytes);
        EXPECT_EQ(lines.status, row.lines.isEmpty() ? 0 : 1) << lines.err.data();
        EXPECT_EQ(lines.outLines(), row.lines);
        const ToolRun stat = inProcess({"diff", "--stat", before, "-"}, bytes);
        EXPECT_EQ(stat.out, row.lines.isEmpty() ? QByteArray() : QByteArray(row.stat) + '\n');
        // Its JSON form is the same campaign.
        const ToolRun json = inProcess({"diff", "-", before}, campaignJson(*after, bytes));
        EXPECT_EQ(json.outLines().size(), row.lines.size()) << json.err.data();
    }
    EXPECT_EQ(inProcess({"diff", before, dir.filePath("gone.cam")}).status, 2);
}

// Counts past 64 bits are named, not wrapped; unbounded values are null in JSON.
TEST(Paths, ShowsHugeAndEndlessCounts)
{
    Layout chain;
    for (int16_t i = 0; i < 50; ++i) {
        const int32_t next = i == 49 ? 254 : i + 1;
        chain.push_back({i, {next, next, next, next}});
    }
    const QStringList lines = inProcess({"paths", "-"}, campaignBytes(*campaignOf(chain))).outLines();
    EXPECT_EQ(lines.value(32), "Scenario 32 scen32: 18446744073709551616 routes, battles 32, prestige 0");
    EXPECT_EQ(lines.value(33), "Scenario 33 scen33: more than 2^64 routes, battles 33, prestige 0");
    const ToolRun map = inProcess({"map", "--paths", "-"}, campaignBytes(*campaignOf(chain)));
    EXPECT_TRUE(map.out.contains("#033 scen33<BR/><FONT POINT-SIZE=\"10\">battles 33, prestige 0</FONT>"));

    const ToolRun looping = inProcess({"paths", "--json", "-"}, campaignBytes(*campaignOf({{0, {0, 0, 254, 255}}})));
    EXPECT_TRUE(looping.out.contains(R"("victory": {"reached": true, "routes": null, "fewestBattles": 1, )"
                                     R"("mostBattles": null, "leastPrestige": 0, "mostPrestige": 0, "cycles": [[0]]})"))
        << looping.out.data();
}
