#include "tests/cli/CamTestSupport.h"

#include "storage/CampaignStorage.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cgraph.h>
#include <gtest/gtest.h>
#include <libxml/parser.h>

#include <algorithm>
#include <memory>
#include <random>

using namespace CamTest;

namespace {

// The graph a DOT text holds, parsed by cgraph itself.
struct GraphCloser {
    void operator()(Agraph_t* graph) const { agclose(graph); }
};
using Graph = std::unique_ptr<Agraph_t, GraphCloser>;

Graph parseDot(const QByteArray& dot)
{
    return Graph(agmemread(dot.constData()));
}

std::string attribute(void* object, const char* nameText)
{
    QByteArray name(nameText);
    const char* value = object != nullptr ? agget(object, name.data()) : nullptr;
    return value != nullptr ? value : "<none>";
}

Agnode_t* nodeOf(const Graph& map, const char* idText)
{
    QByteArray id(idText);
    return agnode(map.get(), id.data(), 0);
}

// The text of a cell of a node's HTML-like label, a line feed between its
// lines: the cell of a port ("o1"), or the first cell for none.
std::string cellText(Agnode_t* node, const QString& port = {})
{
    const QString label = QString::fromStdString(attribute(node, "label"));
    const QString cell =
        port.isEmpty() ? QStringLiteral("<TD[^>]*>") : QStringLiteral("<TD PORT=\"%1\"[^>]*>").arg(port);
    QString text = QRegularExpression(cell + QStringLiteral("(.*?)</TD>")).match(label).captured(1);
    text.replace(QStringLiteral("<BR/>"), QStringLiteral("\n")).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, std::pair{"&gt;", ">"}, std::pair{"&amp;", "&"}}) {
        text.replace(QLatin1String(entity), QLatin1String(character));
    }
    return text.toStdString();
}

// The arrows leaving a node, head's id and the outcomes of the cell it
// leaves from, in id order.
std::vector<std::pair<std::string, std::string>> arrowsFrom(const Graph& map, const char* id)
{
    std::vector<std::pair<std::string, std::string>> arrows;
    Agnode_t* node = nodeOf(map, id);
    for (Agedge_t* edge = node != nullptr ? agfstout(map.get(), node) : nullptr; edge != nullptr;
         edge = agnxtout(map.get(), edge)) {
        const QString port = QString::fromStdString(attribute(edge, "tailport")).section(QLatin1Char(':'), 0, 0);
        arrows.emplace_back(agnameof(aghead(edge)), cellText(node, port));
    }
    std::sort(arrows.begin(), arrows.end());
    return arrows;
}

ToolRun map(const Campaign& campaign, const QString& format = QStringLiteral("dot"))
{
    return inProcess({"map", "-", "--format", format}, campaignBytes(campaign));
}

} // namespace

// Each finding is drawn as the legend shows it: the DOT text is parsed back
// and every marked node compared with its legend sample.
TEST(MapCommand, DrawsScenariosOutcomesEndsAndFindingsAsTheLegendShows)
{
    auto campaign = campaignOf({{0, {1, 1, 7, 255}},
                                {1, {2, 254, 300, 255}},
                                {2, {3, 3, 3, 3}},
                                {3, {2, 2, 2, 2}},
                                {4, {4, 4, 4, 4}},
                                {5, {254, 254, 255, 255}}});
    campaign->scenarios(0).setResultPrestige(0, 20);
    campaign->scenarios(0).setResultPrestige(1, 10);
    campaign->scenarios(1).setName("back\\slash\x1b<&>");
    campaign->setDescription("Ardennes\x7f");
    const ToolRun result = map(*campaign);
    ASSERT_EQ(result.status, 0) << result.err.data();
    EXPECT_EQ(result.err, "");
    const Graph graph = parseDot(result.out);
    ASSERT_NE(graph, nullptr);

    EXPECT_EQ(attribute(graph.get(), "label").rfind("Ardennes\\\\x7f (", 0), 0u) << attribute(graph.get(), "label");
    EXPECT_EQ(cellText(nodeOf(graph, "s0")), "#000 scen0");
    EXPECT_EQ(cellText(nodeOf(graph, "s1")), "#001 back\\slash\\x1b<&>");
    EXPECT_EQ(cellText(nodeOf(graph, "s4")), "#004 scen4\nlooping\nunreachable");
    EXPECT_EQ(attribute(nodeOf(graph, "missing7"), "label"), "#7 missing\\nnot in the campaign");
    EXPECT_EQ(attribute(nodeOf(graph, "missing300"), "label"), "#300 missing\\noutside 0..49, 254, 255");
    using Arrows = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(arrowsFrom(graph, "s0"), (Arrows{{"lost", "Defeat\nprestige 0"},
                                               {"missing7", "Minor Victory\nprestige 0"},
                                               {"s1", "Brilliant Victory\nprestige 20\nVictory\nprestige 10"}}));
    EXPECT_EQ(arrowsFrom(graph, "s4").size(), 1u);
    EXPECT_EQ(arrowsFrom(graph, "s1").size(), 4u);
    // Looping and out of reach: the loop's colours, the dashes of the unreachable.
    const std::vector<const char*> all{"fillcolor", "color", "style", "shape"};
    const std::vector<std::tuple<const char*, const char*, std::vector<const char*>>> looks{
        {"s0", "legend_scenario", all},       {"s1", "legend_scenario", all},
        {"s2", "legend_trap", all},           {"s3", "legend_trap", all},
        {"s5", "legend_unreachable", all},    {"missing7", "legend_missing", all},
        {"s4", "legend_looping", {"fillcolor"}}, {"s4", "legend_unreachable", {"style"}},
    };
    for (const auto& [node, sample, attributes] : looks) {
        for (const char* name : attributes) {
            EXPECT_EQ(attribute(nodeOf(graph, node), name), attribute(nodeOf(graph, sample), name))
                << node << " " << name;
        }
    }
    Agedge_t* toMissing = agedge(graph.get(), nodeOf(graph, "s0"), nodeOf(graph, "missing7"), nullptr, 0);
    EXPECT_EQ(attribute(toMissing, "color"), attribute(nodeOf(graph, "missing7"), "color"));
    Agedge_t* toScenario = agedge(graph.get(), nodeOf(graph, "s0"), nodeOf(graph, "s1"), nullptr, 0);
    EXPECT_NE(attribute(toMissing, "color"), attribute(toScenario, "color"));
}

// The end nodes say why they are marked: never referenced, or referenced
// only where the player never comes.
TEST(MapCommand, MarksEndsTheCheckOrLintFindsWanting)
{
    const std::vector<std::tuple<Layout, std::string, std::string>> cases{
        {{{0, {1, 254, 255, 255}}, {1, {254, 254, 255, 255}}}, "Campaign won", "Campaign lost"},
        {{{0, {255, 255, 255, 255}}}, "Campaign won\\nnot referenced", "Campaign lost"},
        {{{0, {254, 254, 254, 254}}, {1, {255, 255, 255, 255}}}, "Campaign won",
         "Campaign lost\\nnot reachable from scenario 0"},
    };
    for (const auto& [scenarios, won, lost] : cases) {
        const Graph graph = parseDot(::map(*campaignOf(scenarios)).out);
        ASSERT_NE(graph, nullptr);
        for (const auto& [node, label] : {std::pair{"won", won}, std::pair{"lost", lost}}) {
            EXPECT_EQ(attribute(nodeOf(graph, node), "label"), label);
            EXPECT_EQ(attribute(nodeOf(graph, node), "style").find("dashed") != std::string::npos,
                      label.find("\\n") != std::string::npos)
                << label;
        }
    }
}

// A dense campaign's map does not run on in one long row or column, too
// thin to read when shown whole.
TEST(MapCommand, DenseCampaignsStayReadable)
{
    Layout looping;
    Layout random;
    std::mt19937 pick(7);
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        looping.push_back({i, {i, i, i, i}});
        std::array<int32_t, 4> goTos{};
        for (int32_t& goTo : goTos) {
            goTo = static_cast<int32_t>(pick() % 52);
            goTo = goTo < 50 ? goTo : goTo + 204;
        }
        random.push_back({i, goTos});
    }
    for (const auto& [name, scenarios] : {std::pair{"all looping", looping}, std::pair{"linked at random", random}}) {
        const ToolRun result = inProcess({"map", "-"}, campaignBytes(*campaignOf(scenarios)));
        const Graph map = parseDot(result.out);
        ASSERT_NE(map, nullptr) << result.err.data();
        const QStringList corners = QString::fromStdString(attribute(map.get(), "bb")).split(QLatin1Char(','));
        const double ratio = corners.value(2).toDouble() / corners.value(3).toDouble();
        EXPECT_LT(std::max(ratio, 1 / ratio), 3) << name << ": " << attribute(map.get(), "bb");
    }
}

// The extension picks the format unless --format names it; "-" writes to
// standard output, as DOT unless --format says otherwise; nothing is
// written on a mistake.
TEST(MapCommand, WritesRealSvgPngAndDot)
{
    QTemporaryDir dir;
    const Layout twoScenarios{{0, {1, 1, 254, 255}}, {1, {0, 254, 3, 255}}};
    const QString campaign = saveCampaign(dir, QStringLiteral("m.cam"), *campaignOf(twoScenarios));
    // libxml2 refuses what is not well-formed XML, such as a control character in a text.
    const auto isSvg = [](const QByteArray& bytes) {
        const std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> document(xmlReadMemory(bytes.constData(),
                                                                                  static_cast<int>(bytes.size()),
                                                                                  "map.svg", nullptr,
                                                                                  XML_PARSE_NONET | XML_PARSE_NOERROR |
                                                                                      XML_PARSE_NOWARNING),
                                                                    xmlFreeDoc);
        const xmlNode* root = document != nullptr ? xmlDocGetRootElement(document.get()) : nullptr;
        return root != nullptr && xmlStrcmp(root->name, reinterpret_cast<const xmlChar*>("svg")) == 0;
    };
    const auto kind = [&isSvg](const QByteArray& bytes) {
        if (bytes.startsWith("\x89PNG\r\n\x1a\n") || isSvg(bytes)) {
            return bytes.startsWith("\x89PNG") ? "png" : "svg";
        }
        const Graph map = parseDot(bytes);
        const bool dot = map != nullptr && agedge(map.get(), nodeOf(map, "s1"), nodeOf(map, "s0"), nullptr, 0);
        return dot ? "dot" : "none";
    };
    // What is no DOT is expected here: cgraph need not say so.
    agseterr(AGMAX);
    QDir(dir.path()).mkpath(QStringLiteral("folder.svg"));
    // Output, options, the kind written (none: status 2 and one line on standard error).
    const std::vector<std::tuple<QString, QStringList, const char*>> cases{
        {QStringLiteral("m.svg"), {}, "svg"},
        {QStringLiteral("m.PNG"), {}, "png"},
        {QStringLiteral("m.gv"), {}, "dot"},
        {QStringLiteral("m.png"), {QStringLiteral("--format"), QStringLiteral("svg")}, "svg"},
        {QStringLiteral("-"), {}, "dot"},
        {{}, {QStringLiteral("--format=png")}, "png"},
        {QStringLiteral("m.txt"), {}, "none"},
        {QStringLiteral("no/such/folder/m.svg"), {}, "none"},
        {QStringLiteral("folder.svg"), {}, "none"},
    };
    for (const auto& [name, options, written] : cases) {
        SCOPED_TRACE(name.toStdString());
        const QString out = name == QStringLiteral("-") ? name : dir.filePath(name);
        const QStringList target = name.isEmpty() ? QStringList() : QStringList{QStringLiteral("-o"), out};
        const ToolRun result = inProcess(QStringList{"map", campaign} + target + options);
        const QByteArray bytes = name.isEmpty() || name == QStringLiteral("-") ? result.out : readFile(out);
        EXPECT_STREQ(kind(bytes), written);
        EXPECT_EQ(result.status, qstrcmp(written, "none") == 0 ? 2 : 0) << result.err.data();
        EXPECT_EQ(result.err.count('\n'), result.status == 0 ? 0 : 1) << result.err.data();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("m.txt"))));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("folder.svg"))).isDir());
}
