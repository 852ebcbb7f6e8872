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
    const char* fill;
    const char* line;
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
QString labelText(const QString& text)
{
    return shownText(text).replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
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
    explicit Drawing(const QString& title)
    {
        QByteArray name("campaign");
        m_graph = agopen(name.data(), Agdirected, nullptr);
        setDefault(AGRAPH, "label", title);
        setDefault(AGRAPH, "labelloc", QStringLiteral("t"));
        // Parts no arrow joins, such as scenarios that only repeat
        // themselves, are laid out in rows in the order drawn, the legend
        // first, rather than all in one long row.
        setDefault(AGRAPH, "packmode", QStringLiteral("array_tu"));
        setDefault(AGRAPH, "fontname", QStringLiteral("Helvetica"));
        setDefault(AGNODE, "fontname", QStringLiteral("Helvetica"));
        setDefault(AGNODE, "shape", QStringLiteral("box"));
        setDefault(AGNODE, "style", QStringLiteral("rounded,filled"));
        setDefault(AGNODE, "fillcolor", QLatin1String(PlainLook.fill));
        setDefault(AGNODE, "color", QLatin1String(PlainLook.line));
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
    ~Drawing() { agclose(m_graph); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    [[nodiscard]] Agraph_t* graph() const { return m_graph; }

    static Agnode_t* node(Agraph_t* map, const QString& idText, const QString& label, const Look& style)
    {
        QByteArray id = idText.toUtf8();
        Agnode_t* created = agnode(map, id.data(), 1);
        set(created, "label", label);
        set(created, "fillcolor", QLatin1String(style.fill));
        set(created, "color", QLatin1String(style.line));
        if (&style != &PlainLook) {
            set(created, "penwidth", QStringLiteral("2"));
        }
        return created;
    }

    static Agedge_t* edge(Agraph_t* map, Agnode_t* from, Agnode_t* to) { return agedge(map, from, to, nullptr, 1); }

    static void set(void* object, const char* attributeText, const QString& valueText)
    {
        QByteArray attribute(attributeText);
        QByteArray value = valueText.toUtf8();
        QByteArray empty;
        agsafeset(object, attribute.data(), value.data(), empty.data());
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
    void setDefault(int kind, const char* attributeText, const QString& valueText)
    {
        QByteArray attribute(attributeText);
        QByteArray value = valueText.toUtf8();
        agattr(m_graph, kind, attribute.data(), value.data());
    }

    Agraph_t* m_graph = nullptr;
};

void drawLegend(Agraph_t* graph)
{
    QByteArray name("cluster_legend");
    Agraph_t* legend = agsubg(graph, name.data(), 1);
    Drawing::set(legend, "label", QStringLiteral("Legend"));
    Drawing::set(legend, "style", QStringLiteral("rounded"));
    const std::vector<std::tuple<const char*, const char*, const Look*>> samples{
        {"legend_scenario", "scenario: each arrow leaves\\nbelow the outcomes it takes", &PlainLook},
        {"legend_looping", "looping scenario:\\nevery outcome repeats it", &LoopingLook},
        {"legend_trap", "trap: neither campaign\\nvictory nor loss reachable", &TrapLook},
        {"legend_unreachable", "unreachable\\nfrom scenario 0", &UnreachableLook},
        {"legend_missing", "missing scenario", &MissingLook},
    };
    Agnode_t* above = nullptr;
    for (const auto& [id, text, look] : samples) {
        Agnode_t* node = Drawing::node(legend, QLatin1String(id), QLatin1String(text), *look);
        if (look == &UnreachableLook) {
            Drawing::set(node, "style", QStringLiteral("rounded,filled,dashed"));
        } else if (look == &MissingLook) {
            Drawing::set(node, "shape", QStringLiteral("octagon"));
            Drawing::set(node, "style", QStringLiteral("filled,dashed"));
        }
        // Invisible arrows stack the samples in one column.
        if (above != nullptr) {
            Drawing::set(Drawing::edge(legend, above, node), "style", QStringLiteral("invis"));
        }
        above = node;
    }
}

// The outcomes that join the same two nodes share one arrow.
struct Arrow {
    QString target;
    QStringList labels;
    int32_t goTo;
};

// A scenario's box: its number, name and marks above a cell for each arrow
// that leaves it, listing the outcomes that take it; the arrow starts below
// its cell, and has no label of its own to stand over other arrows and nodes.
Agnode_t* drawScenario(Agraph_t* map, const CampaignGraph& graph, const Scenario& scenario,
                       const std::vector<Arrow>& arrows, const CampaignPaths* paths)
{
    const auto i = static_cast<int16_t>(scenario.number());
    QStringList title{
        QStringLiteral("#%1 %2").arg(i, 3, 10, QLatin1Char('0')).arg(htmlText(fromCampaignBytes(scenario.name())))};
    const Look* look = &PlainLook;
    if (graph.looping(i)) {
        title << QStringLiteral("looping");
        look = &LoopingLook;
    } else if (graph.trapped(i)) {
        title << QStringLiteral("trap");
        look = &TrapLook;
    }
    const bool unreachable = !graph.reachable(i);
    if (unreachable) {
        title << QStringLiteral("unreachable");
        look = look == &PlainLook ? &UnreachableLook : look;
    }
    if (paths != nullptr && paths->scenario(i).reached) {
        title << QStringLiteral("<FONT POINT-SIZE=\"10\">%1</FONT>").arg(balanceText(paths->scenario(i)));
    }
    QString html = QStringLiteral("<TABLE BORDER=\"0\" CELLBORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"2\">"
                                  "<TR><TD COLSPAN=\"%1\">%2</TD></TR><HR/><TR>")
                       .arg(arrows.size())
                       .arg(title.join(QStringLiteral("<BR/>")));
    for (std::size_t cell = 0; cell < arrows.size(); ++cell) {
        html += QStringLiteral("<TD PORT=\"o%1\" VALIGN=\"TOP\"><FONT POINT-SIZE=\"10\">%2</FONT></TD>")
                    .arg(cell)
                    .arg(arrows[cell].labels.join(QStringLiteral("<BR/>")));
    }
    Agnode_t* node = Drawing::node(map, QStringLiteral("s%1").arg(i), QString(), *look);
    Drawing::setHtmlLabel(node, html + QStringLiteral("</TR></TABLE>"));
    Drawing::set(node, "margin", QStringLiteral("0.04"));
    if (unreachable) {
        Drawing::set(node, "style", QStringLiteral("rounded,filled,dashed"));
    }
    return node;
}

// The end node of campaign victory or loss, marked when the check or lint
// finds it unreferenced or out of the player's reach.
Agnode_t* drawEnd(Agraph_t* graph, const char* id, const QString& text, const Look& style, bool referenced,
                  bool reachable)
{
    QString label = text;
    if (!referenced) {
        label += QStringLiteral("\\nnot referenced");
    } else if (!reachable) {
        label += QStringLiteral("\\nnot reachable from scenario 0");
    }
    Agnode_t* node = Drawing::node(graph, QLatin1String(id), label, style);
    Drawing::set(node, "shape", QStringLiteral("doubleoctagon"));
    if (!reachable) {
        Drawing::set(node, "style", QStringLiteral("filled,dashed"));
        Drawing::set(node, "color", QLatin1String(AlarmColour));
    }
    return node;
}

// Where each outcome of a scenario leads, those with the same target together.
std::vector<Arrow> arrowsOf(const CampaignGraph& graph, const Scenario& scenario)
{
    std::vector<Arrow> arrows;
    for (int16_t j = 0; j < Scenario::OutcomeCount; ++j) {
        const int32_t goTo = scenario.resultScenario(j);
        QString targetText;
        switch (graph.targetOf(goTo)) {
        case CampaignGraph::Target::Victory:
            targetText = QStringLiteral("won");
            break;
        case CampaignGraph::Target::Loss:
            targetText = QStringLiteral("lost");
            break;
        case CampaignGraph::Target::Scenario:
            targetText = QStringLiteral("s%1").arg(goTo);
            break;
        case CampaignGraph::Target::Missing:
            targetText = QStringLiteral("missing%1").arg(goTo);
            break;
        }
        const QString label = QStringLiteral("%1<BR/><FONT COLOR=\"#5c6b7a\">prestige %2</FONT>")
                                  .arg(QLatin1String(outcomeName(j)))
                                  .arg(scenario.resultPrestige(j));
        auto it = std::find_if(arrows.begin(), arrows.end(),
                               [&targetText](const Arrow& each) { return each.target == targetText; });
        if (it != arrows.end()) {
            it->labels << label;
        } else {
            arrows.push_back({targetText, {label}, goTo});
        }
    }
    return arrows;
}

// The node of a go-to no scenario answers, drawn once however many lead there.
Agnode_t* drawMissing(Agraph_t* graph, const QString& id, int32_t goTo)
{
    const QString why = CampaignGraph::isOddGoTo(goTo) ? QStringLiteral("outside 0..49, 254, 255")
                                                       : QStringLiteral("not in the campaign");
    Agnode_t* node = Drawing::node(graph, id, QStringLiteral("#%1 missing\\n%2").arg(goTo).arg(why), MissingLook);
    Drawing::set(node, "shape", QStringLiteral("octagon"));
    Drawing::set(node, "style", QStringLiteral("filled,dashed"));
    return node;
}

// With paths, each scenario shows the battles and prestige on the way there.
void drawCampaign(Agraph_t* map, const Campaign& campaign, const CampaignPaths* paths)
{
    const CampaignGraph graph(campaign);
    // Drawn first, so dot puts it at the top left.
    drawLegend(map);
    std::map<QString, Agnode_t*> nodes;
    nodes[QStringLiteral("won")] = drawEnd(map, "won", QStringLiteral("Campaign won"), WonLook,
                                           graph.victoryReferenced(), graph.victoryReachable());
    nodes[QStringLiteral("lost")] =
        drawEnd(map, "lost", QStringLiteral("Campaign lost"), LostLook, graph.lossReferenced(), graph.lossReachable());
    std::map<int16_t, std::vector<Arrow>> arrowsFrom;
    for (int16_t i = 0; i < Campaign::MaxScenarios; ++i) {
        if (graph.used(i)) {
            const Scenario& scenario = campaign.scenarios(i);
            arrowsFrom[i] = arrowsOf(graph, scenario);
            nodes[QStringLiteral("s%1").arg(i)] = drawScenario(map, graph, scenario, arrowsFrom[i], paths);
        }
    }
    for (const auto& [i, arrows] : arrowsFrom) {
        for (std::size_t cell = 0; cell < arrows.size(); ++cell) {
            const Arrow& each = arrows[cell];
            Agnode_t*& target = nodes[each.target];
            if (target == nullptr) {
                target = drawMissing(map, each.target, each.goTo);
            }
            Agedge_t* edge = Drawing::edge(map, nodes.at(QStringLiteral("s%1").arg(i)), target);
            Drawing::set(edge, "tailport", QStringLiteral("o%1:s").arg(cell));
            if (graph.targetOf(each.goTo) == CampaignGraph::Target::Missing) {
                Drawing::set(edge, "color", QLatin1String(AlarmColour));
                Drawing::set(edge, "penwidth", QStringLiteral("2"));
                Drawing::set(edge, "style", QStringLiteral("dashed"));
            }
        }
    }
}

// The Graphviz renderer for a format the user names, or null.
const char* renderer(const QString& format)
{
    const QString lower = format.toLower();
    if (lower == QLatin1String("svg")) {
        return "svg";
    }
    if (lower == QLatin1String("png")) {
        return "png";
    }
    if (lower == QLatin1String("dot") || lower == QLatin1String("gv")) {
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
    static GVC_t* const context = gvContext();
    return context;
}

// Lays the graph out with dot and renders it; empty with a reason on failure.
QByteArray render(GVC_t* context, Agraph_t* graph, const char* renderer, QString& reason)
{
    if (qstrcmp(renderer, "png") == 0) {
        // One pixel per point, the size the SVG gives: at Graphviz's 96 dpi a
        // full campaign has 15 million pixels, and compressing them alone
        // takes most of a second.
        Drawing::set(graph, "dpi", QStringLiteral("72"));
    }
    if (gvLayout(context, graph, "dot") != 0) {
        reason = QStringLiteral("Graphviz could not lay out the map");
        return {};
    }
    char* data = nullptr;
    unsigned int length = 0;
    QByteArray bytes;
    if (gvRenderData(context, graph, renderer, &data, &length) == 0) {
        bytes = QByteArray(data, static_cast<qsizetype>(length));
    } else {
        reason = QStringLiteral("Graphviz has no %1 renderer here (Debian's libgvc6 provides it)")
                     .arg(QLatin1String(renderer));
    }
    gvFreeRenderData(data);
    gvFreeLayout(context, graph);
    return bytes;
}

} // namespace

// map FILE -o OUT: the campaign as a graph drawn by Graphviz, with what the
// check and lint find marked.
int runMap(const QStringList& arguments, CommandStreams& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws the campaign as a graph: one node per scenario listing its outcomes and their prestige,\n"
        "an arrow from below each outcome to where it leads (outcomes that lead to the same place share\n"
        "one), the end nodes 'Campaign won' and 'Campaign lost', and a legend.\n"
        "Missing and looping scenarios, traps, unreachable scenarios and ends are marked.\n"
        "The format follows OUT's extension (.svg, .png, .dot or .gv) unless --format names it;\n"
        "with -o - (the default) the map goes to standard output, as DOT unless --format names another.\n"
        "Exit status: 0 drawn, 2 the file could not be read, the map not written, or a usage error."));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("Where to write the map; - for standard output."),
                                          QStringLiteral("OUT"), QStringLiteral("-"));
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("svg, png or dot, whatever OUT is called."),
                                    QStringLiteral("FORMAT"));
    const QCommandLineOption force(QStringLiteral("force"),
                                   QStringLiteral("Write a PNG to standard output even when it is a terminal."));
    const QCommandLineOption withPaths(QStringLiteral("paths"),
                                       QStringLiteral("Show in each scenario the fewest and most battles and the "
                                                      "least and most prestige on arrival, as the paths command "
                                                      "finds them."));
    parser.addOptions({outputOption, format, force, withPaths});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The campaign file; - for standard input."));
    if (const int status = parseArguments(parser, arguments, io); status >= 0) {
        return status;
    }
    if (parser.positionalArguments().size() != 1) {
        return usageError(io, arguments.value(0), QStringLiteral("give one campaign file"));
    }
    const QString out = parser.value(outputOption);
    const bool toOut = out == QLatin1String("-");
    const QString formatText = parser.isSet(format) ? parser.value(format)
                               : toOut              ? QStringLiteral("dot")
                                                    : QFileInfo(out).suffix();
    const char* rendererText = renderer(formatText);
    if (rendererText == nullptr) {
        writeDiagnostic(io.err,
                        parser.isSet(format)
                            ? QStringLiteral("'%1' is no format: use svg, png or dot.").arg(terminalText(formatText))
                            : QStringLiteral("cannot tell the format from '%1': name it .svg, .png or .dot, or "
                                             "use --format.")
                                  .arg(terminalText(out)));
        return ExitStatus::Trouble;
    }
    const std::filesystem::path file = pathFromArgument(parser.positionalArguments().constFirst());
    const std::filesystem::path output = pathFromArgument(out);
    const bool binary = qstrcmp(rendererText, "png") == 0;
    if (outputIsInput(file, output, io) || (binary && binaryToTerminal(output, parser.isSet(force), io))) {
        return ExitStatus::Trouble;
    }

    const auto campaign = std::make_unique<Campaign>();
    if (!loadCampaign(file, io, *campaign)) {
        return ExitStatus::Trouble;
    }

    QString reason;
    const Drawing map(
        labelText(QStringLiteral("%1 (%2)").arg(fromCampaignBytes(campaign->description()), displayName(file))));
    const std::optional<CampaignPaths> paths =
        parser.isSet(withPaths) ? std::optional<CampaignPaths>(*campaign) : std::nullopt;
    drawCampaign(map.graph(), *campaign, paths ? &*paths : nullptr);
    const QByteArray bytes = render(graphvizContext(), map.graph(), rendererText, reason);
    if (!reason.isEmpty()) {
        writeDiagnostic(io.err, reason + QLatin1Char('.'));
        return ExitStatus::Trouble;
    }
    return writeOutput(output, bytes, io) ? ExitStatus::Clean : ExitStatus::Trouble;
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
