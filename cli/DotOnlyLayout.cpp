// Builds without Graphviz's library (the Windows build: it cannot be
// cross-built here) write a map's DOT text as it is and leave the drawing to
// Graphviz's own dot.

#include "cli/MapLayout.h"

QByteArray layOutMap(const QByteArray& dot, const char* renderer, QString& reason)
{
    if (qstrcmp(renderer, "dot") == 0) {
        return dot;
    }
    const QString format = QString::fromLatin1(renderer);
    reason = QStringLiteral("drawing %1 needs the Linux build of ironvale-cam or Graphviz's own dot: write the map "
                            "with --format dot and run 'dot -T%2 map.dot -o map.%2'")
                 .arg(format.toUpper(), format);
    return {};
}
