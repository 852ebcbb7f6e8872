#include "cli/Command.h"
#include "cli/Names.h"

#include "data/CampaignGraph.h"
#include "data/clsCampaign.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <gvc.h>

#include <algorithm>
#include <map>
#include <memory>
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

// Graphviz reads "\" in a label as the start of an escape such as "\n".
QString LabelText(QString strText)
{
    return strText.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

// The cgraph graph being drawn. cgraph copies every name and value it is
// given, so the buffers handed over need only live for the call.
class Drawing {
public:
    explicit Drawing(const QString& strTitle)
    {
        QByteArray Name("campaign");
        m_pGraph = agopen(Name.data(), Agdirected, nullptr);
        Default(AGRAPH, "label", strTitle);
        Default(AGRAPH, "labelloc", QStringLiteral("t"));
        Default(AGRAPH, "fontname", QStringLiteral("Helvetica"));
        Default(AGNODE, "fontname", QStringLiteral("Helvetica"));
        Default(AGNODE, "shape", QStringLiteral("box"));
        Default(AGNODE, "style", QStringLiteral("rounded,filled"));
        Default(AGNODE, "fillcolor", QLatin1String(PlainLook.Fill));
        Default(AGNODE, "color", QLatin1String(PlainLook.Line));
        Default(AGNODE, "penwidth", QStringLiteral("1"));
        Default(AGNODE, "label", QStringLiteral("\\N"));
        Default(AGEDGE, "fontname", QStringLiteral("Helvetica"));
        Default(AGEDGE, "fontsize", QStringLiteral("10"));
        Default(AGEDGE, "color", QStringLiteral("#495057"));
        Default(AGEDGE, "fontcolor", QStringLiteral("#212529"));
        Default(AGEDGE, "penwidth", QStringLiteral("1"));
        Default(AGEDGE, "style", QStringLiteral("solid"));
        Default(AGEDGE, "label", QString());
        Default(AGEDGE, "xlabel", QString());
    }
    ~Drawing() { agclose(m_pGraph); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    [[nodiscard]] Agraph_t* Graph() const { return m_pGraph; }

    static Agnode_t* Node(Agraph_t* pGraph, const QString& strId, const QString& strLabel, const Look& Style)
    {
        QByteArray Id = strId.toUtf8();
        Agnode_t* pNode = agnode(pGraph, Id.data(), 1);
        Set(pNode, "label", strLabel);
        Set(pNode, "fillcolor", QLatin1String(Style.Fill));
        Set(pNode, "color", QLatin1String(Style.Line));
        if (&Style != &PlainLook) {
            Set(pNode, "penwidth", QStringLiteral("2"));
        }
        return pNode;
    }

    // dot lays out a plain label as a node of its own, clear of the arrows
    // and the other labels, but a full campaign then takes seconds; an
    // xlabel is placed once the layout is done, quickly, where there is room.
    static Agedge_t* Edge(Agraph_t* pGraph, Agnode_t* pFrom, Agnode_t* pTo, const QString& strLabel,
                          bool blnPlainLabel)
    {
        Agedge_t* pEdge = agedge(pGraph, pFrom, pTo, nullptr, 1);
        Set(pEdge, blnPlainLabel ? "label" : "xlabel", strLabel);
        return pEdge;
    }

    static void Set(void* pObject, const char* strAttribute, const QString& strValue)
    {
        QByteArray Attribute(strAttribute);
        QByteArray Value = strValue.toUtf8();
        QByteArray Empty;
        agsafeset(pObject, Attribute.data(), Value.data(), Empty.data());
    }

private:
    void Default(int intKind, const char* strAttribute, const QString& strValue)
    {
        QByteArray Attribute(strAttribute);
        QByteArray Value = strValue.toUtf8();
        agattr(m_pGraph, intKind, Attribute.data(), Value.data());
    }

    Agraph_t* m_pGraph = nullptr;
};

void DrawLegend(Agraph_t* pGraph)
{
    QByteArray Name("cluster_legend");
    Agraph_t* pLegend = agsubg(pGraph, Name.data(), 1);
    Drawing::Set(pLegend, "label", QStringLiteral("Legend"));
    Drawing::Set(pLegend, "style", QStringLiteral("rounded"));
    const std::vector<std::tuple<const char*, const char*, const Look*>> Samples{
        {"legend_scenario", "scenario", &PlainLook},
        {"legend_looping", "looping scenario:\\nevery outcome repeats it", &LoopingLook},
        {"legend_trap", "trap: neither campaign\\nvictory nor loss reachable", &TrapLook},
        {"legend_unreachable", "unreachable\\nfrom scenario 0", &UnreachableLook},
        {"legend_missing", "missing scenario", &MissingLook},
    };
    Agnode_t* pAbove = nullptr;
    for (const auto& [strId, strText, pLook] : Samples) {
        Agnode_t* pNode = Drawing::Node(pLegend, QLatin1String(strId), QLatin1String(strText), *pLook);
        if (pLook == &UnreachableLook) {
            Drawing::Set(pNode, "style", QStringLiteral("rounded,filled,dashed"));
        } else if (pLook == &MissingLook) {
            Drawing::Set(pNode, "shape", QStringLiteral("octagon"));
            Drawing::Set(pNode, "style", QStringLiteral("filled,dashed"));
        }
        // Invisible arrows stack the samples in one column.
        if (pAbove != nullptr) {
            Drawing::Set(Drawing::Edge(pLegend, pAbove, pNode, QString(), false), "style", QStringLiteral("invis"));
        }
        pAbove = pNode;
    }
}

Agnode_t* DrawScenario(Agraph_t* pGraph, const CampaignGraph& Graph, const clsScenario& Scenario)
{
    const auto intI = static_cast<int16_t>(Scenario.Number());
    QString strLabel = QStringLiteral("#%1 %2").arg(intI, 3, 10, QLatin1Char('0')).arg(LabelText(FromCampaignBytes(Scenario.Name())));
    const Look* pLook = &PlainLook;
    if (Graph.Looping(intI)) {
        strLabel += QStringLiteral("\\nlooping");
        pLook = &LoopingLook;
    } else if (Graph.Trapped(intI)) {
        strLabel += QStringLiteral("\\ntrap");
        pLook = &TrapLook;
    }
    const bool blnUnreachable = !Graph.Reachable(intI);
    if (blnUnreachable) {
        strLabel += QStringLiteral("\\nunreachable");
        pLook = pLook == &PlainLook ? &UnreachableLook : pLook;
    }
    Agnode_t* pNode = Drawing::Node(pGraph, QStringLiteral("s%1").arg(intI), strLabel, *pLook);
    if (blnUnreachable) {
        Drawing::Set(pNode, "style", QStringLiteral("rounded,filled,dashed"));
    }
    return pNode;
}

// The end node of campaign victory or loss, marked when the check or lint
// finds it unreferenced or out of the player's reach.
Agnode_t* DrawEnd(Agraph_t* pGraph, const char* strId, const QString& strText, const Look& Style, bool blnReferenced,
                  bool blnReachable)
{
    QString strLabel = strText;
    if (!blnReferenced) {
        strLabel += QStringLiteral("\\nnot referenced");
    } else if (!blnReachable) {
        strLabel += QStringLiteral("\\nnot reachable from scenario 0");
    }
    Agnode_t* pNode = Drawing::Node(pGraph, QLatin1String(strId), strLabel, Style);
    Drawing::Set(pNode, "shape", QStringLiteral("doubleoctagon"));
    if (!blnReachable) {
        Drawing::Set(pNode, "style", QStringLiteral("filled,dashed"));
        Drawing::Set(pNode, "color", QLatin1String(AlarmColour));
    }
    return pNode;
}

// Up to this many scenarios the arrows' labels are laid out with the
// graph, so they never stand over a node or another label; a larger map
// would take seconds that way.
constexpr int32_t PlainLabelScenarios = 12;

// The outcomes that join the same two nodes share one arrow.
struct Arrow {
    QString Target;
    QStringList Labels;
    bool Missing;
};

void DrawCampaign(Agraph_t* pGraph, const clsCampaign& Campaign)
{
    const CampaignGraph Graph(Campaign);
    const bool blnPlainLabels = Campaign.ScenarioCount() <= PlainLabelScenarios;
    // Drawn first, so dot puts it at the left.
    DrawLegend(pGraph);
    std::map<QString, Agnode_t*> Nodes;
    Nodes[QStringLiteral("won")] = DrawEnd(pGraph, "won", QStringLiteral("Campaign won"), WonLook,
                                           Graph.VictoryReferenced(), Graph.VictoryReachable());
    Nodes[QStringLiteral("lost")] = DrawEnd(pGraph, "lost", QStringLiteral("Campaign lost"), LostLook,
                                            Graph.LossReferenced(), Graph.LossReachable());
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        if (Graph.Used(intI)) {
            Nodes[QStringLiteral("s%1").arg(intI)] = DrawScenario(pGraph, Graph, Campaign.Scenarios(intI));
        }
    }
    for (int16_t intI = 0; intI < clsCampaign::MaxScenarios; ++intI) {
        if (!Graph.Used(intI)) {
            continue;
        }
        const clsScenario& Scenario = Campaign.Scenarios(intI);
        std::vector<Arrow> Arrows;
        for (int16_t intJ = 0; intJ < clsScenario::OutcomeCount; ++intJ) {
            const int32_t lngGoTo = Scenario.ResultScenario(intJ);
            QString strTarget;
            switch (Graph.TargetOf(lngGoTo)) {
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
                if (Nodes.count(strTarget) == 0) {
                    const QString strWhy = CampaignGraph::IsOddGoTo(lngGoTo) ? QStringLiteral("outside 0..49, 254, 255")
                                                                              : QStringLiteral("not in the campaign");
                    Agnode_t* pNode = Drawing::Node(pGraph, strTarget,
                                                    QStringLiteral("#%1 missing\\n%2").arg(lngGoTo).arg(strWhy),
                                                    MissingLook);
                    Drawing::Set(pNode, "shape", QStringLiteral("octagon"));
                    Drawing::Set(pNode, "style", QStringLiteral("filled,dashed"));
                    Nodes[strTarget] = pNode;
                }
                break;
            }
            const QString strLabel =
                QStringLiteral("%1, prestige %2").arg(QLatin1String(OutcomeName(intJ))).arg(Scenario.ResultPrestige(intJ));
            auto It = std::find_if(Arrows.begin(), Arrows.end(),
                                   [&strTarget](const Arrow& Each) { return Each.Target == strTarget; });
            if (It != Arrows.end()) {
                It->Labels << strLabel;
            } else {
                Arrows.push_back({strTarget, {strLabel}, strTarget.startsWith(QLatin1String("missing"))});
            }
        }
        for (const Arrow& Each : Arrows) {
            Agedge_t* pEdge = Drawing::Edge(pGraph, Nodes.at(QStringLiteral("s%1").arg(intI)), Nodes.at(Each.Target),
                                            Each.Labels.join(QStringLiteral("\\n")), blnPlainLabels);
            if (Each.Missing) {
                Drawing::Set(pEdge, "color", QLatin1String(AlarmColour));
                Drawing::Set(pEdge, "fontcolor", QLatin1String(AlarmColour));
                Drawing::Set(pEdge, "penwidth", QStringLiteral("2"));
                Drawing::Set(pEdge, "style", QStringLiteral("dashed"));
            }
        }
    }
}

// The Graphviz renderer for a format the user names, or null.
const char* Renderer(const QString& strFormat)
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
GVC_t* GraphvizContext()
{
    static GVC_t* const pContext = gvContext();
    return pContext;
}

// Lays the graph out with dot and renders it; empty with a reason on failure.
QByteArray Render(GVC_t* pContext, Agraph_t* pGraph, const char* strRenderer, QString& strReason)
{
    if (qstrcmp(strRenderer, "png") == 0) {
        // One pixel per point, the size the SVG gives: at Graphviz's 96 dpi a
        // full campaign has 15 million pixels, and compressing them alone
        // takes most of a second.
        Drawing::Set(pGraph, "dpi", QStringLiteral("72"));
    }
    if (gvLayout(pContext, pGraph, "dot") != 0) {
        strReason = QStringLiteral("Graphviz could not lay out the map");
        return {};
    }
    char* pData = nullptr;
    unsigned int lngLength = 0;
    QByteArray Bytes;
    if (gvRenderData(pContext, pGraph, strRenderer, &pData, &lngLength) == 0) {
        Bytes = QByteArray(pData, static_cast<qsizetype>(lngLength));
    } else {
        strReason = QStringLiteral("Graphviz has no %1 renderer here (Debian's libgvc6 provides it)")
                        .arg(QLatin1String(strRenderer));
    }
    gvFreeRenderData(pData);
    gvFreeLayout(pContext, pGraph);
    return Bytes;
}

} // namespace

// map FILE -o OUT: the campaign as a graph drawn by Graphviz, with what the
// check and lint find marked.
int RunMap(const QStringList& Arguments, CommandStreams& Io)
{
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral(
        "Draws the campaign as a graph: one node per scenario, one arrow per outcome labelled with the\n"
        "outcome and its prestige, the end nodes 'Campaign won' and 'Campaign lost', and a legend.\n"
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
    Parser.addOptions({Output, Format, Force});
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int intStatus = ParseArguments(Parser, Arguments, Io); intStatus >= 0) {
        return intStatus;
    }
    if (Parser.positionalArguments().size() != 1) {
        WriteLine(Io.Err, QStringLiteral("ironvale-cam map: give one campaign file."));
        return ExitStatus::Trouble;
    }
    const QString strOut = Parser.value(Output);
    const bool blnToOut = strOut == QLatin1String("-");
    const QString strFormat = Parser.isSet(Format) ? Parser.value(Format)
                              : blnToOut          ? QStringLiteral("dot")
                                                  : QFileInfo(strOut).suffix();
    const char* strRenderer = Renderer(strFormat);
    if (strRenderer == nullptr) {
        WriteLine(Io.Err, Parser.isSet(Format)
                              ? QStringLiteral("ironvale-cam map: '%1' is no format: use svg, png or dot.")
                                    .arg(terminalText(strFormat))
                              : QStringLiteral("ironvale-cam map: cannot tell the format from '%1': name it .svg, "
                                               ".png or .dot, or use --format.")
                                    .arg(terminalText(strOut)));
        return ExitStatus::Trouble;
    }
    const std::filesystem::path strFile = pathFromArgument(Parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromArgument(strOut);
    const bool binary = qstrcmp(strRenderer, "png") == 0;
    if (outputIsInput(QStringLiteral("map"), strFile, output, Io) ||
        (binary && binaryToTerminal(QStringLiteral("map"), output, Parser.isSet(Force), Io))) {
        return ExitStatus::Trouble;
    }

    const auto Campaign = std::make_unique<clsCampaign>();
    if (!LoadCampaign(strFile, Io, *Campaign)) {
        return ExitStatus::Trouble;
    }

    QString strReason;
    const Drawing Map(LabelText(
        QStringLiteral("%1 (%2)").arg(FromCampaignBytes(Campaign->Description()), DisplayName(strFile))));
    DrawCampaign(Map.Graph(), *Campaign);
    const QByteArray Bytes = Render(GraphvizContext(), Map.Graph(), strRenderer, strReason);
    if (!strReason.isEmpty()) {
        WriteLine(Io.Err, QStringLiteral("ironvale-cam map: %1.").arg(strReason));
        return ExitStatus::Trouble;
    }
    return WriteOutput(output, Bytes, Io) ? ExitStatus::Clean : ExitStatus::Trouble;
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
