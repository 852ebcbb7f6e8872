#include "tests/cli/CamTestSupport.h"

#include "storage/CampaignStorage.h"
#include "tests/cli/RandomCampaignFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QRectF>

#include <cgraph.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

using namespace CamTest;

namespace {

// Description and names with bytes beyond ASCII; outcomes to a scenario, to
// both ends, to a free slot and to a value no slot holds.
std::unique_ptr<clsCampaign> Described()
{
    auto Campaign = CampaignOf({{0, {1, 254, 7, 255}}, {1, {300, 1, 254, 255}}});
    Campaign->SetDescription("Ardennes \xE9t\xE9");
    Campaign->SetNation(2);
    Campaign->SetPrestige(1200);
    clsScenario& First = Campaign->Scenarios(0);
    First.SetName("Bastogne");
    First.SetMovie("bast");
    First.SetVoice("v0");
    First.SetText("t0");
    First.SetPrestige(300);
    First.SetFirstUnknown(1);
    First.SetSecondUnknown(2);
    First.SetThirdUnknown(65535);
    First.SetResultPrestige(0, 50);
    First.SetResultText(0, "won0");
    First.SetResultVoice(0, "v1");
    First.SetResultMovie(0, "m1");
    First.SetResultMovie(3, "lost");
    Campaign->Scenarios(1).SetName("\xC4" "chen");
    Campaign->Scenarios(1).SetVoice("v");
    Campaign->Scenarios(1).SetText("t");
    return Campaign;
}

// The graph a DOT text holds, parsed by cgraph itself.
struct GraphCloser {
    void operator()(Agraph_t* pGraph) const { agclose(pGraph); }
};
using Graph = std::unique_ptr<Agraph_t, GraphCloser>;

Graph ParseDot(const QByteArray& Dot)
{
    return Graph(agmemread(Dot.constData()));
}

std::string Attribute(void* pObject, const char* strName)
{
    QByteArray Name(strName);
    const char* strValue = pObject != nullptr ? agget(pObject, Name.data()) : nullptr;
    return strValue != nullptr ? strValue : "<none>";
}

Agnode_t* NodeOf(const Graph& Map, const char* strId)
{
    QByteArray Id(strId);
    return agnode(Map.get(), Id.data(), 0);
}

// The text of a cell of a node's HTML-like label, a line feed between its
// lines: the cell of a port ("o1"), or the first cell for none.
std::string cellText(Agnode_t* node, const QString& port)
{
    const QString label = QString::fromStdString(Attribute(node, "label"));
    const QString cell =
        port.isEmpty() ? QStringLiteral("<TD[^>]*>") : QStringLiteral("<TD PORT=\"%1\"[^>]*>").arg(port);
    QString text = QRegularExpression(cell + QStringLiteral("(.*?)</TD>")).match(label).captured(1);
    text.replace(QStringLiteral("<BR/>"), QStringLiteral("\n")).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&quot;", "\""},
                                            std::pair{"&amp;", "&"}}) {
        text.replace(QLatin1String(entity), QLatin1String(character));
    }
    return text.toStdString();
}

// The arrows leaving a node, head's id and the outcomes of the cell it
// leaves from, in id order.
std::vector<std::pair<std::string, std::string>> ArrowsFrom(const Graph& Map, const char* strId)
{
    std::vector<std::pair<std::string, std::string>> Arrows;
    Agnode_t* pNode = NodeOf(Map, strId);
    for (Agedge_t* pEdge = pNode != nullptr ? agfstout(Map.get(), pNode) : nullptr; pEdge != nullptr;
         pEdge = agnxtout(Map.get(), pEdge)) {
        const QString port = QString::fromStdString(Attribute(pEdge, "tailport")).section(QLatin1Char(':'), 0, 0);
        Arrows.emplace_back(agnameof(aghead(pEdge)), cellText(pNode, port));
    }
    std::sort(Arrows.begin(), Arrows.end());
    return Arrows;
}

Agedge_t* ArrowOf(const Graph& Map, const char* strFrom, const char* strTo)
{
    return agedge(Map.get(), NodeOf(Map, strFrom), NodeOf(Map, strTo), nullptr, 0);
}

// The boxes, in points, of every node and every arrow's label of a laid-out
// map. Graphviz gives a node's size; a label's comes from its text, at about
// half the font size a letter and 1.2 times it a line, as Helvetica runs.
std::vector<QRectF> textBoxes(const Graph& Map)
{
    const auto box = [](const std::string& centre, double width, double height) {
        const QStringList xy = QString::fromStdString(centre).split(QLatin1Char(','));
        return QRectF(xy.value(0).toDouble() - width / 2, xy.value(1).toDouble() - height / 2, width, height);
    };
    std::vector<QRectF> boxes;
    for (Agnode_t* node = agfstnode(Map.get()); node != nullptr; node = agnxtnode(Map.get(), node)) {
        boxes.push_back(box(Attribute(node, "pos"), std::stod(Attribute(node, "width")) * 72,
                            std::stod(Attribute(node, "height")) * 72));
        for (Agedge_t* edge = agfstout(Map.get(), node); edge != nullptr; edge = agnxtout(Map.get(), edge)) {
            for (const auto& [label, at] : {std::pair{"label", "lp"}, std::pair{"xlabel", "xlp"},
                                            std::pair{"headlabel", "head_lp"}, std::pair{"taillabel", "tail_lp"}}) {
                const QStringList lines = QString::fromStdString(Attribute(edge, label)).split(QStringLiteral("\\n"));
                const double size = QString::fromStdString(Attribute(edge, "fontsize")).toDouble();
                const double font = size > 0 ? size : 14;
                const auto longest = std::max_element(
                    lines.begin(), lines.end(), [](const QString& a, const QString& b) { return a.size() < b.size(); });
                if (!Attribute(edge, at).empty() && Attribute(edge, at) != "<none>") {
                    boxes.push_back(box(Attribute(edge, at), static_cast<double>(longest->size()) * font / 2,
                                        static_cast<double>(lines.size()) * font * 1.2));
                }
            }
        }
    }
    return boxes;
}

QByteArray Contents(const QString& strPath)
{
    QFile File(strPath);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

} // namespace

TEST(ShowCommand, PrintsHeaderScenariosAndWhereEachOutcomeLeads)
{
    QTemporaryDir Dir;
    const QString strPath = SaveCampaign(Dir, QStringLiteral("described.cam"), *Described());
    const ToolRun Result = InProcess({QStringLiteral("show"), strPath});
    EXPECT_EQ(Result.Status, 0);
    EXPECT_EQ(Result.Err, "");
    EXPECT_EQ(QString::fromUtf8(Result.Out), QStringLiteral(u"Description: Ardennes été\n"
                                                            u"Nation:      U.R.S.S\n"
                                                            u"Prestige:    1200\n"
                                                            u"Scenarios:   2\n"
                                                            u"\n"
                                                            u"Scenario 0\n"
                                                            u"  Name:               Bastogne\n"
                                                            u"  Movie:              bast\n"
                                                            u"  Voice:              v0\n"
                                                            u"  Text:               t0\n"
                                                            u"  Prestige:           300\n"
                                                            u"  Values:             1, 2, 65535\n"
                                                            u"  Brilliant Victory:  scenario 1, prestige 50 (text "
                                                            u"won0, voice v1, movie m1)\n"
                                                            u"  Victory:            campaign won, prestige 0\n"
                                                            u"  Minor Victory:      scenario 7 (not in the "
                                                            u"campaign), prestige 0\n"
                                                            u"  Defeat:             campaign lost, prestige 0 "
                                                            u"(movie lost)\n"
                                                            u"\n"
                                                            u"Scenario 1\n"
                                                            u"  Name:               Ächen\n"
                                                            u"  Movie:              (none)\n"
                                                            u"  Voice:              v\n"
                                                            u"  Text:               t\n"
                                                            u"  Prestige:           0\n"
                                                            u"  Values:             0, 0, 0\n"
                                                            u"  Brilliant Victory:  scenario 300 (not in the "
                                                            u"campaign), prestige 0\n"
                                                            u"  Victory:            scenario 1, prestige 0\n"
                                                            u"  Minor Victory:      campaign won, prestige 0\n"
                                                            u"  Defeat:             campaign lost, prestige 0\n"));
}

TEST(ShowCommand, NamesEveryNationAndRefusesWhatItCannotShow)
{
    QTemporaryDir Dir;
    const std::vector<QString> Nations{QStringLiteral("Germany"), QStringLiteral("U.K"), QStringLiteral("U.R.S.S"),
                                       QStringLiteral("U.S.A")};
    for (int32_t lngNation = 0; lngNation < 4; ++lngNation) {
        auto Campaign = Described();
        Campaign->SetNation(lngNation);
        const ToolRun Result = InProcess({QStringLiteral("show"), QStringLiteral("-")}, CampaignBytes(*Campaign));
        EXPECT_EQ(Result.OutLines().value(1), QStringLiteral("Nation:      ") + Nations[static_cast<std::size_t>(lngNation)]);
    }
    // "Ruwin" is no victory movie the editor knows: it reads nation 0.
    QByteArray unknown = CampaignBytes(*Described());
    unknown[4] = 'R';
    EXPECT_EQ(InProcess({QStringLiteral("show"), QStringLiteral("-")}, unknown).OutLines().value(1),
              QStringLiteral("Nation:      unknown (0)"));
    const QString strGone = Dir.filePath(QStringLiteral("gone.cam"));
    const ToolRun Two = InProcess({QStringLiteral("show"), strGone, strGone});
    EXPECT_EQ(Two.Status, 2);
    EXPECT_EQ(Two.Err, "ironvale-cam: give one campaign file. See 'ironvale-cam show --help'.\n");
}

// Each finding is drawn as the legend shows it: the DOT text is parsed back
// and every marked node compared with its legend sample.
TEST(MapCommand, DrawsScenariosOutcomesEndsAndFindingsAsTheLegendShows)
{
    QTemporaryDir Dir;
    auto Campaign = CampaignOf({{0, {1, 1, 7, 255}},
                                {1, {2, 254, 300, 255}},
                                {2, {3, 3, 3, 3}},
                                {3, {2, 2, 2, 2}},
                                {4, {4, 4, 4, 4}},
                                {5, {254, 254, 255, 255}}});
    Campaign->Scenarios(0).SetResultPrestige(0, 20);
    Campaign->Scenarios(0).SetResultPrestige(1, 10);
    Campaign->Scenarios(1).SetName("back\\slash\x1b<&>");
    Campaign->SetDescription("Ardennes\x7f");
    const ToolRun Result = InProcess({QStringLiteral("map"), SaveCampaign(Dir, QStringLiteral("m.cam"), *Campaign)});
    ASSERT_EQ(Result.Status, 0) << Result.Err.data();
    EXPECT_EQ(Result.Err, "");
    const Graph Map = ParseDot(Result.Out);
    ASSERT_NE(Map, nullptr);

    EXPECT_EQ(Attribute(Map.get(), "label").rfind("Ardennes\\\\x7f (", 0), 0u) << Attribute(Map.get(), "label");
    EXPECT_EQ(cellText(NodeOf(Map, "s0"), QString()), "#000 scen0");
    EXPECT_EQ(cellText(NodeOf(Map, "s1"), QString()), "#001 back\\slash\\x1b<&>");
    EXPECT_EQ(Attribute(NodeOf(Map, "won"), "label"), "Campaign won");
    EXPECT_EQ(Attribute(NodeOf(Map, "lost"), "label"), "Campaign lost");
    EXPECT_EQ(Attribute(NodeOf(Map, "missing7"), "label"), "#7 missing\\nnot in the campaign");
    EXPECT_EQ(Attribute(NodeOf(Map, "missing300"), "label"), "#300 missing\\noutside 0..49, 254, 255");
    using Arrows = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(ArrowsFrom(Map, "s0"), (Arrows{{"lost", "Defeat\nprestige 0"},
                                             {"missing7", "Minor Victory\nprestige 0"},
                                             {"s1", "Brilliant Victory\nprestige 20\nVictory\nprestige 10"}}));
    EXPECT_EQ(ArrowsFrom(Map, "s4").size(), 1u);
    EXPECT_EQ(ArrowsFrom(Map, "s1").size(), 4u);

    const auto LooksLike = [&Map](const char* strNode, const char* strSample) {
        for (const char* strAttribute : {"fillcolor", "color", "style", "shape"}) {
            EXPECT_EQ(Attribute(NodeOf(Map, strNode), strAttribute), Attribute(NodeOf(Map, strSample), strAttribute))
                << strNode << " " << strAttribute;
        }
    };
    LooksLike("s0", "legend_scenario");
    LooksLike("s1", "legend_scenario");
    LooksLike("s2", "legend_trap");
    LooksLike("s3", "legend_trap");
    LooksLike("s5", "legend_unreachable");
    LooksLike("missing7", "legend_missing");
    LooksLike("missing300", "legend_missing");
    // Looping and out of reach: the loop's colours, the dashes of the unreachable.
    EXPECT_EQ(Attribute(NodeOf(Map, "s4"), "fillcolor"), Attribute(NodeOf(Map, "legend_looping"), "fillcolor"));
    EXPECT_EQ(Attribute(NodeOf(Map, "s4"), "style"), Attribute(NodeOf(Map, "legend_unreachable"), "style"));
    EXPECT_EQ(cellText(NodeOf(Map, "s4"), QString()), "#004 scen4\nlooping\nunreachable");
    Agedge_t* pToScenario = ArrowOf(Map, "s0", "s1");
    Agedge_t* pToMissing = ArrowOf(Map, "s0", "missing7");
    EXPECT_EQ(Attribute(pToMissing, "color"), Attribute(NodeOf(Map, "missing7"), "color"));
    EXPECT_NE(Attribute(pToMissing, "color"), Attribute(pToScenario, "color"));
}

// The end nodes say why they are marked: never referenced, or referenced
// only where the player never comes.
// A dense campaign's map keeps every text clear of every other: no node
// and no arrow's label stands over another node or label.
TEST(MapCommand, DenseCampaignsKeepEveryTextClear)
{
    Layout looping;
    Layout random;
    std::mt19937 pick(7);
    for (int16_t i = 0; i < clsCampaign::MaxScenarios; ++i) {
        looping.push_back({i, {i, i, i, i}});
        std::array<int32_t, 4> goTos{};
        for (int32_t& goTo : goTos) {
            goTo = static_cast<int32_t>(pick() % 52);
            goTo = goTo < 50 ? goTo : goTo + 204;
        }
        random.push_back({i, goTos});
    }
    for (const auto& [name, scenarios] : {std::pair{"all looping", looping}, std::pair{"linked at random", random}}) {
        const ToolRun Result =
            InProcess({QStringLiteral("map"), QStringLiteral("-")}, CampaignBytes(*CampaignOf(scenarios)));
        const Graph Map = ParseDot(Result.Out);
        ASSERT_NE(Map, nullptr) << Result.Err.data();
        const std::vector<QRectF> boxes = textBoxes(Map);
        int overlaps = 0;
        for (auto box = boxes.begin(); box != boxes.end(); ++box) {
            overlaps += static_cast<int>(
                std::count_if(box + 1, boxes.end(), [&box](const QRectF& other) { return other.intersects(*box); }));
        }
        EXPECT_EQ(overlaps, 0) << name << ", " << boxes.size() << " boxes";
        // Nor does it run on in one long row or column, too thin to read when shown whole.
        const QStringList corners = QString::fromStdString(Attribute(Map.get(), "bb")).split(QLatin1Char(','));
        const double ratio = corners.value(2).toDouble() / corners.value(3).toDouble();
        EXPECT_LT(std::max(ratio, 1 / ratio), 3) << name << ": " << Attribute(Map.get(), "bb");
        const std::set<int32_t> targets(scenarios[0].second.begin(), scenarios[0].second.end());
        EXPECT_EQ(ArrowsFrom(Map, "s0").size(), targets.size()) << name;
    }
}

TEST(MapCommand, MarksEndsTheCheckOrLintFindsWanting)
{
    const std::vector<std::tuple<Layout, std::string, std::string>> cases{
        {{{0, {1, 254, 255, 255}}, {1, {254, 254, 255, 255}}}, "Campaign won", "Campaign lost"},
        {{{0, {255, 255, 255, 255}}}, "Campaign won\\nnot referenced", "Campaign lost"},
        {{{0, {254, 254, 254, 254}}, {1, {255, 255, 255, 255}}},
         "Campaign won",
         "Campaign lost\\nnot reachable from scenario 0"},
    };
    for (const auto& [Scenarios, strWon, strLost] : cases) {
        const ToolRun Result = InProcess({QStringLiteral("map"), QStringLiteral("-")}, CampaignBytes(*CampaignOf(Scenarios)));
        const Graph Map = ParseDot(Result.Out);
        ASSERT_NE(Map, nullptr);
        EXPECT_EQ(Attribute(NodeOf(Map, "won"), "label"), strWon);
        EXPECT_EQ(Attribute(NodeOf(Map, "lost"), "label"), strLost);
        for (const auto& [strNode, strLabel] : {std::pair{"won", strWon}, std::pair{"lost", strLost}}) {
            const bool blnMarked = strLabel.find("\\n") != std::string::npos;
            EXPECT_EQ(Attribute(NodeOf(Map, strNode), "style").find("dashed") != std::string::npos, blnMarked)
                << strLabel;
        }
    }
}

// The extension picks the format unless --format names it; "-" writes to
// standard output, as DOT unless --format says otherwise.
TEST(MapCommand, WritesRealSvgPngAndDot)
{
    QTemporaryDir Dir;
    const QString strCampaign = SaveLayout(Dir, QStringLiteral("m.cam"), {{0, {1, 1, 254, 255}}, {1, {0, 254, 3, 255}}});
    const QByteArray PngMagic("\x89PNG\r\n\x1a\n", 8);
    // libxml2 refuses what is not well-formed XML, such as a control character in a text.
    const auto IsSvg = [](const QByteArray& Bytes) {
        const std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document(
            xmlReadMemory(Bytes.constData(), static_cast<int>(Bytes.size()), "map.svg", nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
            xmlFreeDoc);
        const xmlNode* root = document != nullptr ? xmlDocGetRootElement(document.get()) : nullptr;
        return root != nullptr && xmlStrcmp(root->name, reinterpret_cast<const xmlChar*>("svg")) == 0;
    };
    const auto IsDot = [](const QByteArray& Bytes) {
        const Graph Map = ParseDot(Bytes);
        return Map != nullptr && ArrowOf(Map, "s1", "s0") != nullptr;
    };

    const std::vector<std::tuple<QStringList, QString, std::function<bool(const QByteArray&)>>> cases{
        {{}, QStringLiteral("m.svg"), IsSvg},
        {{}, QStringLiteral("m.PNG"), [&PngMagic](const QByteArray& Bytes) { return Bytes.startsWith(PngMagic); }},
        {{}, QStringLiteral("m.dot"), IsDot},
        {{}, QStringLiteral("m.gv"), IsDot},
        {{QStringLiteral("--format"), QStringLiteral("svg")}, QStringLiteral("m.png"), IsSvg},
    };
    for (const auto& [Options, strName, Check] : cases) {
        const QString strOut = Dir.filePath(strName);
        const ToolRun Result =
            InProcess(QStringList{QStringLiteral("map"), strCampaign, QStringLiteral("-o"), strOut} + Options);
        EXPECT_EQ(Result.Status, 0) << Result.Err.data();
        EXPECT_EQ(Result.Out, "");
        EXPECT_TRUE(Check(Contents(strOut))) << strName.toStdString();
    }
    EXPECT_TRUE(IsDot(InProcess({QStringLiteral("map"), strCampaign, QStringLiteral("-o"), QStringLiteral("-")}).Out));
    EXPECT_TRUE(InProcess({QStringLiteral("map"), strCampaign, QStringLiteral("--format=png")}).Out.startsWith(PngMagic));
    // Names of any bytes, control bytes among them, still give well-formed SVG and DOT.
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        const QByteArray file = QByteArray::fromStdString(RandomCampaignFile(seed, 3));
        const QStringList toSvg{QStringLiteral("map"), QStringLiteral("-"), QStringLiteral("--format=svg")};
        EXPECT_TRUE(IsSvg(InProcess(toSvg, file).Out)) << seed;
        EXPECT_NE(ParseDot(InProcess({QStringLiteral("map"), QStringLiteral("-")}, file).Out), nullptr) << seed;
    }
}

// Nothing is written on a mistake, and the message says what to do.
TEST(MapCommand, UnwritableOutputOrUnknownFormatIsTrouble)
{
    QTemporaryDir Dir;
    const QString strCampaign = SaveLayout(Dir, QStringLiteral("m.cam"), {{0, {254, 254, 255, 255}}});
    const QString strNoFolder = Dir.filePath(QStringLiteral("no/such/folder/m.svg"));
    const QString strUnderFile = strCampaign + QStringLiteral("/m.svg");
    const QString strFolder = Dir.filePath(QStringLiteral("folder.svg"));
    ASSERT_TRUE(QDir().mkpath(strFolder));
    for (const QString& strOut : {strNoFolder, strUnderFile, strFolder}) {
        const ToolRun Result = InProcess({QStringLiteral("map"), strCampaign, QStringLiteral("-o"), strOut});
        EXPECT_EQ(Result.Status, 2);
        EXPECT_EQ(Result.Out, "");
        EXPECT_TRUE(Result.Err.startsWith(("ironvale-cam: " + strOut + ": cannot be written: ").toUtf8()))
            << Result.Err.data();
        EXPECT_EQ(Result.Err.count('\n'), 1);
    }
    EXPECT_FALSE(QFileInfo::exists(strNoFolder));
    EXPECT_TRUE(QFileInfo(strFolder).isDir());
    EXPECT_EQ(Contents(strCampaign), CampaignBytes(*CampaignOf({{0, {254, 254, 255, 255}}})));

    const QString strText = Dir.filePath(QStringLiteral("m.txt"));
    const ToolRun Unknown = InProcess({QStringLiteral("map"), strCampaign, QStringLiteral("-o"), strText});
    EXPECT_EQ(Unknown.Status, 2);
    EXPECT_TRUE(Unknown.Err.contains("--format")) << Unknown.Err.data();
    EXPECT_FALSE(QFileInfo::exists(strText));
}
