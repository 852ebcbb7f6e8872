// Maps laid out and drawn by Graphviz's own library.

#include "cli/MapLayout.h"

#include <gvc.h>

namespace {

// One Graphviz context for the whole process, never freed: the pango plugin
// of Graphviz 2.42 keeps the last font name it measured, a string its
// context owns, and compares the next with it; after a second context
// replaced the first it would read freed memory.
GVC_t* graphvizContext()
{
    static GVC_t* const context = gvContext();
    return context;
}

} // namespace

QByteArray layOutMap(const QByteArray& dot, const char* renderer, QString& reason)
{
    Agraph_t* graph = agmemread(dot.constData());
    if (graph == nullptr) {
        reason = QStringLiteral("Graphviz could not read the map");
        return {};
    }
    if (qstrcmp(renderer, "png") == 0) {
        // One pixel per point, the size the SVG gives: at Graphviz's 96 dpi a
        // full campaign has 15 million pixels, and compressing them alone
        // takes most of a second.
        QByteArray attribute("dpi");
        QByteArray value("72");
        QByteArray empty;
        agsafeset(graph, attribute.data(), value.data(), empty.data());
    }
    GVC_t* const context = graphvizContext();
    if (gvLayout(context, graph, "dot") != 0) {
        agclose(graph);
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
    agclose(graph);
    return bytes;
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
