#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/Campaign.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <gvc.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// How a node is drawn; the legend shows each look once.
struct Look {
    const char* Fill;
    const char* Line;
};
constexpr Look PlainLook{"#eef3fb", "#3c5a80"};
constexpr Look LoopingLook{"#ffd8a8", "#d9480f"};
constexpr Look TrapLook{"#ffc9c9", "#c92a2a"};
constexpr Look UnreachableLook{"#e9ecef", "#868e96"};
constexpr Look MissingLook{"#fff0f0", "#c92a2a"};
constexpr Look WonLook{"#b2f2bb", "#2b8a3e"};
constexpr Look LostLook{"#ced4da", "#212529"};
constexpr const char* AlarmColour = "#c92a2a";

// A name may hold any byte. A control or other unprintable character is
// shown as its code (ESC as \x1b): the reader sees it, and the SVG stays
// well-formed XML, which has no place for most control characters.
QString shownText(const QString& text)
{
    QString shown;
    for (const uint code : text.toUcs4()) {
        const auto character = static_cast<char32_t>(code);
        if (QChar::isPrint(character)) {
            shown += QString::fromUcs4(&character, 1);
        } else {
            shown += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        }
    }
    return shown;
}

// Graphviz reads "\" in a plain label as the start of an escape such as "\n".
QString labelText(const QString& strText)
{
    return shownText(strText).replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

// Text in a label of Graphviz's HTML-like kind, which reads no "\" escapes.
QString htmlText(const QString& text)
{
    return shownText(text).toHtmlEscaped();
}

// The cgraph graph being drawn. cgraph copies every name and value it is
// given, so the buffers handed over need only live for the call.
class Drawing {
public:
    explicit Drawing(const QString& strTitle)
    {
        QByteArray Name("campaign");
        m_pGraph = agopen(Name.data(), Agdirected, nullptr);
        setDefault(AGRAPH, "label", strTitle);
        setDefault(AGRAPH, "labelloc", QStringLiteral("t"));
        // Parts no arrow joins, such as scenarios that only repeat
        // themselves, are laid out in rows in the order drawn, the legend
        // first, rather than all in one long row.
        setDefault(AGRAPH, "packmode", QStringLiteral("array_tu"));
        setDefault(AGRAPH, "fontname", QStringLiteral("Helvetica"));
        setDefault(AGNODE, "fontname", QStringLiteral("Helvetica"));
        setDefault(AGNODE, "shape", QStringLiteral("box"));
        setDefault(AGNODE, "style", QStringLiteral("rounded,filled"));
        setDefault(AGNODE, "fillcolor", QLatin1String(PlainLook.Fill));
        setDefault(AGNODE, "color", QLatin1String(PlainLook.Line));
        setDefault(AGNODE, "penwidth", QStringLiteral("1"));
        setDefault(AGNODE, "label", QStringLiteral("\\N"));
        setDefault(AGEDGE, "color", QStringLiteral("#495057"));
        setDefault(AGEDGE, "penwidth", QStringLiteral("1"));
        setDefault(AGEDGE, "style", QStringLiteral("solid"));
        setDefault(AGEDGE, "tailport", QString());
        // Arrows leave a scenario below the outcomes they stand for and
        // enter every node at the top.
        setDefault(AGEDGE, "headport", QStringLiteral("n"));
    }
    ~Drawing() { agclose(m_pGraph); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    [[nodiscard]] Agraph_t* graph() const { return m_pGraph; }

    static Agnode_t* node(Agraph_t* pGraph, const QString& strId, const QString& strLabel, const Look& Style)
    {
        QByteArray Id = strId.toUtf8();
        Agnode_t* pNode = agnode(pGraph, Id.data(), 1);
        set(pNode, "label", strLabel);
        set(pNode, "fillcolor", QLatin1String(Style.Fill));
        set(pNode, "color", QLatin1String(Style.Line));
        if (&Style != &PlainLook) {
            set(pNode, "penwidth", QStringLiteral("2"));
        }
        return pNode;
    }

    static Agedge_t* edge(Agraph_t* pGraph, Agnode_t* pFrom, Agnode_t* pTo)
    {
        return agedge(pGraph, pFrom, pTo, nullptr, 1);
    }

    static void set(void* pObject, const char* strAttribute, const QString& strValue)
    {
        QByteArray Attribute(strAttribute);
        QByteArray Value = strValue.toUtf8();
        QByteArray Empty;
        agsafeset(pObject, Attribute.data(), Value.data(), Empty.data());
    }

    // A label Graphviz reads as HTML-like: cgraph keeps such a string apart
    // from a plain one of the same text, and hands out the kept copy.
    static void setHtmlLabel(void* object, const QString& html)
    {
        QByteArray value = html.toUtf8();
        char* kept = agstrdup_html(agraphof(object), value.data());
        QByteArray attribute("label");
        QByteArray empty;
        agsafeset(object, attribute.data(), kept, empty.data());
        agstrfree(agraphof(object), kept);
    }

private:
    void setDefault(int intKind, const char* strAttribute, const QString& strValue)
    {
        QByteArray Attribute(strAttribute);
        QByteArray Value = strValue.toUtf8();
        agattr(m_pGraph, intKind, Attribute.data(), Value.data());
    }

    Agraph_t* m_pGraph = nullptr;
};

void drawLegend(Agraph_t* pGraph)
{
    QByteArray Name("cluster_legend");
    Agraph_t* pLegend = agsubg(pGraph, Name.data(), 1);
    Drawing::set(pLegend, "label", QStringLiteral("Legend"));
    Drawing::set(pLegend, "style", QStringLiteral("rounded"));
    const std::vector<std::tuple<const char*, const char*, const Look*>> Samples{
        {"legend_scenario", "scenario: each arrow leaves\\nbelow the outcomes it takes", &PlainLook},
        {"legend_looping", "looping scenario:\\nevery outcome repeats it", &LoopingLook},
        {"legend_trap", "trap: neither campaign\\nvictory nor loss reachable", &TrapLook},
        {"legend_unreachable", "unreachable\\nfrom scenario 0", &UnreachableLook},
        {"legend_missing", "missing scenario", &MissingLook},
    };
    Agnode_t* pAbove = nullptr;
    for (const auto& [strId, strText, pLook] : Samples) {
        Agnode_t* pNode = Drawing::node(pLegend, QLatin1String(strId), QLatin1String(strText), *pLook);
        if (pLook == &UnreachableLook) {
            Drawing::set(pNode, "style", QStringLiteral("rounded,filled,dashed"));
        } else if (pLook == &MissingLook) {
            Drawing::set(pNode, "shape", QStringLiteral("octagon"));
            Drawing::set(pNode, "style", QStringLiteral("filled,dashed"));
        }
        // Invisible arrows stack the samples in one column.
        if (pAbove != nullptr) {
            Drawing::set(Drawing::edge(pLegend, pAbove, pNode), "style", QStringLiteral("invis"));
        }
        pAbove = pNode;
    }
}

// The outcomes that join the same two nodes share one arrow.
struct Arrow {
    QString target;
    QStringList Labels;
    int32_t goTo;
};

// A scenario's box: its number, name and marks above a cell for each arrow
// that leaves it, listing the outcomes that take it; the arrow starts below
// its cell, and has no label of its own to stand over other arrows and nodes.
Agnode_t* drawScenario(Agraph_t* pGraph, const CampaignGraph& graph, const Scenario& scenarioValue,
                       const std::vector<Arrow>& arrows, const CampaignPaths* paths)
{
    const auto intI = static_cast<int16_t>(scenarioValue.number());
    QStringList title{
        QStringLiteral("#%1 %2").arg(intI, 3, 10, QLatin1Char('0')).arg(htmlText(fromCampaignBytes(scenarioValue.name())))};
    const Look* pLook = &PlainLook;
    if (graph.looping(intI)) {
        title << QStringLiteral("looping");
        pLook = &LoopingLook;
    } else if (graph.trapped(intI)) {
        title << QStringLiteral("trap");
        pLook = &TrapLook;
    }
    const bool blnUnreachable = !graph.reachable(intI);
    if (blnUnreachable) {
        title << QStringLiteral("unreachable");
        pLook = pLook == &PlainLook ? &UnreachableLook : pLook;
    }
    if (paths != nullptr && paths->scenario(intI).reached) {
        title << QStringLiteral("<FONT POINT-SIZE=\"10\">%1</FONT>").arg(balanceText(paths->scenario(intI)));
    }
    QString html = QStringLiteral("<TABLE BORDER=\"0\" CELLBORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"2\">"
                                  "<TR><TD COLSPAN=\"%1\">%2</TD></TR><HR/><TR>")
                       .arg(arrows.size())
                       .arg(title.join(QStringLiteral("<BR/>")));
    for (std::size_t cell = 0; cell < arrows.size(); ++cell) {
        html += QStringLiteral("<TD PORT=\"o%1\" VALIGN=\"TOP\"><FONT POINT-SIZE=\"10\">%2</FONT></TD>")
                    .arg(cell)
                    .arg(arrows[cell].Labels.join(QStringLiteral("<BR/>")));
    }
    Agnode_t* pNode = Drawing::node(pGraph, QStringLiteral("s%1").arg(intI), QString(), *pLook);
    Drawing::setHtmlLabel(pNode, html + QStringLiteral("</TR></TABLE>"));
    Drawing::set(pNode, "margin", QStringLiteral("0.04"));
    if (blnUnreachable) {
        Drawing::set(pNode, "style", QStringLiteral("rounded,filled,dashed"));
    }
    return pNode;
}

// The end node of campaign victory or loss, marked when the check or lint
// finds it unreferenced or out of the player's reach.
Agnode_t* drawEnd(Agraph_t* pGraph, const char* strId, const QString& strText, const Look& Style, bool blnReferenced,
                  bool blnReachable)
{
    QString strLabel = strText;
    if (!blnReferenced) {
        strLabel += QStringLiteral("\\nnot referenced");
    } else if (!blnReachable) {
        strLabel += QStringLiteral("\\nnot reachable from scenario 0");
    }
    Agnode_t* pNode = Drawing::node(pGraph, QLatin1String(strId), strLabel, Style);
    Drawing::set(pNode, "shape", QStringLiteral("doubleoctagon"));
    if (!blnReachable) {
        Drawing::set(pNode, "style", QStringLiteral("filled,dashed"));
        Drawing::set(pNode, "color", QLatin1String(AlarmColour));
    }
    return pNode;
}

// Where each outcome of a scenario leads, those with the same target together.
std::vector<Arrow> arrowsOf(const CampaignGraph& graph, const Scenario& scenario)
{
    std::vector<Arrow> arrows;
    for (int16_t intJ = 0; intJ < Scenario::OutcomeCount; ++intJ) {
        const int32_t lngGoTo = scenario.resultScenario(intJ);
        QString strTarget;
        switch (graph.targetOf(lngGoTo)) {
        case CampaignGraph::Target::Victory:
            strTarget = QStringLiteral("won");
            break;
        case CampaignGraph::Target::Loss:
            strTarget = QStringLiteral("lost");
            break;
        case CampaignGraph::Target::Scenario:
            strTarget = QStringLiteral("s%1").arg(lngGoTo);
            break;
        case CampaignGraph::Target::Missing:
            strTarget = QStringLiteral("missing%1").arg(lngGoTo);
            break;
        }
        const QString strLabel = QStringLiteral("%1<BR/><FONT COLOR=\"#5c6b7a\">prestige %2</FONT>")
                                     .arg(QLatin1String(outcomeName(intJ)))
                                     .arg(scenario.resultPrestige(intJ));
        auto It = std::find_if(arrows.begin(), arrows.end(),
                               [&strTarget](const Arrow& Each) { return Each.target == strTarget; });
        if (It != arrows.end()) {
            It->Labels << strLabel;
        } else {
            arrows.push_back({strTarget, {strLabel}, lngGoTo});
        }
    }
    return arrows;
}

// The node of a go-to no scenario answers, drawn once however many lead there.
Agnode_t* drawMissing(Agraph_t* pGraph, const QString& id, int32_t goTo)
{
    const QString why = CampaignGraph::isOddGoTo(goTo) ? QStringLiteral("outside 0..49, 254, 255")
                                                        : QStringLiteral("not in the campaign");
    Agnode_t* pNode = Drawing::node(pGraph, id, QStringLiteral("#%1 missing\\n%2").arg(goTo).arg(why), MissingLook);
    Drawing::set(pNode, "shape", QStringLiteral("octagon"));
    Drawing::set(pNode, "style", QStringLiteral("filled,dashed"));
    return pNode;
}

// With paths, each scenario shows the battles and prestige on the way there.
void drawCampaign(Agraph_t* pGraph, const Campaign& campaign, const CampaignPaths* paths)
{
    const CampaignGraph graph(campaign);
    // Drawn first, so dot puts it at the top left.
    drawLegend(pGraph);
    std::map<QString, Agnode_t*> Nodes;
    Nodes[QStringLiteral("won")] = drawEnd(pGraph, "won", QStringLiteral("Campaign won"), WonLook,
                                           graph.victoryReferenced(), graph.victoryReachable());
    Nodes[QStringLiteral("lost")] = drawEnd(pGraph, "lost", QStringLiteral("Campaign lost"), LostLook,
                                            graph.lossReferenced(), graph.lossReachable());
    std::map<int16_t, std::vector<Arrow>> arrowsFrom;
    for (int16_t intI = 0; intI < Campaign::MaxScenarios; ++intI) {
        if (graph.used(intI)) {
            const Scenario& scenario = campaign.scenarios(intI);
            arrowsFrom[intI] = arrowsOf(graph, scenario);
            Nodes[QStringLiteral("s%1").arg(intI)] = drawScenario(pGraph, graph, scenario, arrowsFrom[intI], paths);
        }
    }
    for (const auto& [intI, arrows] : arrowsFrom) {
        for (std::size_t cell = 0; cell < arrows.size(); ++cell) {
            const Arrow& Each = arrows[cell];
            Agnode_t*& pTarget = Nodes[Each.target];
            if (pTarget == nullptr) {
                pTarget = drawMissing(pGraph, Each.target, Each.goTo);
            }
            Agedge_t* pEdge = Drawing::edge(pGraph, Nodes.at(QStringLiteral("s%1").arg(intI)), pTarget);
            Drawing::set(pEdge, "tailport", QStringLiteral("o%1:s").arg(cell));
            if (graph.targetOf(Each.goTo) == CampaignGraph::Target::Missing) {
                Drawing::set(pEdge, "color", QLatin1String(AlarmColour));
                Drawing::set(pEdge, "penwidth", QStringLiteral("2"));
                Drawing::set(pEdge, "style", QStringLiteral("dashed"));
            }
        }
    }
}

// The Graphviz renderer for a format the user names, or null.
const char* renderer(const QString& strFormat)
{
    const QString strLower = strFormat.toLower();
    if (strLower == QLatin1String("svg")) {
        return "svg";
    }
    if (strLower == QLatin1String("png")) {
        return "png";
    }
    if (strLower == QLatin1String("dot") || strLower == QLatin1String("gv")) {
        return "dot";
    }
    return nullptr;
}

// One Graphviz context for the whole process, never freed: the pango plugin
// of Graphviz 2.42 keeps the last font name it measured, a string its
// context owns, and compares the next with it; after a second context
// replaced the first it would read freed memory.
GVC_t* graphvizContext()
{
    static GVC_t* const pContext = gvContext();
    return pContext;
}

// Lays the graph out with dot and renders it; empty with a reason on failure.
QByteArray render(GVC_t* pContext, Agraph_t* pGraph, const char* strRenderer, QString& strReason)
{
    if (qstrcmp(strRenderer, "png") == 0) {
        // One pixel per point, the size the SVG gives: at Graphviz's 96 dpi a
        // full campaign has 15 million pixels, and compressing them alone
        // takes most of a second.
        Drawing::set(pGraph, "dpi", QStringLiteral("72"));
    }
    if (gvLayout(pContext, pGraph, "dot") != 0) {
        strReason = QStringLiteral("Graphviz could not lay out the map");
        return {};
    }
    char* pData = nullptr;
    unsigned int lngLength = 0;
    QByteArray bytes;
    if (gvRenderData(pContext, pGraph, strRenderer, &pData, &lngLength) == 0) {
        bytes = QByteArray(pData, static_cast<qsizetype>(lngLength));
    } else {
        strReason = QStringLiteral("Graphviz has no %1 renderer here (Debian's libgvc6 provides it)")
                        .arg(QLatin1String(strRenderer));
    }
    gvFreeRenderData(pData);
    gvFreeLayout(pContext, pGraph);
    return bytes;
}

} // namespace

// map FILE -o OUT: the campaign as a graph drawn by Graphviz, with what the
// check and lint find marked.
int runMap(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Draws the campaign as a graph: one node per scenario listing its outcomes and their prestige,\n"
        "an arrow from below each outcome to where it leads (outcomes that lead to the same place share\n"
        "one), the end nodes 'Campaign won' and 'Campaign lost', and a legend.\n"
        "Missing and looping scenarios, traps, unreachable scenarios and ends are marked.\n"
        "The format follows OUT's extension (.svg, .png, .dot or .gv) unless --format names it;\n"
        "with -o - (the default) the map goes to standard output, as DOT unless --format names another.\n"
        "Exit status: 0 drawn, 2 the file could not be read, the map not written, or a usage error."));
    const QCommandLineOption Output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("Where to write the map; - for standard output."),
                                    QStringLiteral("OUT"), QStringLiteral("-"));
    const QCommandLineOption Format(QStringLiteral("format"), QStringLiteral("svg, png or dot, whatever OUT is called."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption Force(QStringLiteral("force"),
                                   QStringLiteral("Write a PNG to standard output even when it is a terminal."));
    const QCommandLineOption withPaths(QStringLiteral("paths"),
                                       QStringLiteral("Show in each scenario the fewest and most battles and the least and "
                                                      "most prestige on arrival, as the paths command finds them."));
    Parser.addOptions({Output, Format, Force, withPaths});
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int intStatus = parseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        return usageError(Io, Arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const QString strOut = Parser.value(Output);
    const bool blnToOut = strOut == QLatin1String("-");
    const QString strFormat = Parser.isSet(Format) ? Parser.value(Format)
                              : blnToOut          ? QStringLiteral("dot")
                                                  : QFileInfo(strOut).suffix();
    const char* strRenderer = renderer(strFormat);
    if (strRenderer == nullptr) {
        writeDiagnostic(Io.Err, Parser.isSet(Format)
                                    ? QStringLiteral("'%1' is no format: use svg, png or dot.").arg(terminalText(strFormat))
                                    : QStringLiteral("cannot tell the format from '%1': name it .svg, .png or .dot, or "
                                                     "use --format.")
                                          .arg(terminalText(strOut)));
        return ExitStatus::Trouble;
    }
    const std::filesystem::path strFile = pathFromArgument(Parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromArgument(strOut);
    const bool binary = qstrcmp(strRenderer, "png") == 0;
    if (outputIsInput(strFile, output, Io) ||
        (binary && binaryToTerminal(output, Parser.isSet(Force), Io))) {
        return ExitStatus::Trouble;
    }

    const auto campaign = std::make_unique<Campaign>();
    if (!loadCampaign(strFile, Io, *campaign)) {
        return ExitStatus::Trouble;
    }

    QString strReason;
    const Drawing Map(labelText(
        QStringLiteral("%1 (%2)").arg(fromCampaignBytes(campaign->description()), displayName(strFile))));
    const std::optional<CampaignPaths> paths =
        Parser.isSet(withPaths) ? std::optional<CampaignPaths>(*campaign) : std::nullopt;
    drawCampaign(Map.graph(), *campaign, paths ? &*paths : nullptr);
    const QByteArray bytes = render(graphvizContext(), Map.graph(), strRenderer, strReason);
    if (!strReason.isEmpty()) {
        writeDiagnostic(Io.Err, strReason + QLatin1Char('.'));
        return ExitStatus::Trouble;
    }
    return writeOutput(output, bytes, Io) ? ExitStatus::Clean : ExitStatus::Trouble;
}

#if defined(__SANITIZE_ADDRESS__)
// Graphviz 2.42's renderers and fontconfig keep caches they never free. In
// the sanitizer build the leak checker passes over them, quietly, so that
// every program and test drawing a map keeps its exit status and its
// standard error.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libgvc.so\nleak:libgvplugin_pango.so\nleak:libfontconfig.so\nleak:libpango\nleak:libcairo.so\n";
}

extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
#endif
