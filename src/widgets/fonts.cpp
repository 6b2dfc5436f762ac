#include "widgets/fonts.h"

#include <QStringList>

namespace dravelin {

namespace {

QFont faceWithFallbacks(const QStringList& families, QFont::StyleHint hint, qreal points, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setFixedPitch(hint == QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

QFont msSansSerif(qreal points, bool bold)
{
    return faceWithFallbacks({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                              QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
                             QFont::SansSerif, points, bold);
}

QFont letterGothic(qreal points)
{
    return faceWithFallbacks({QStringLiteral("Letter Gothic"), QStringLiteral("Liberation Mono"),
                              QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")},
                             QFont::TypeWriter, points, false);
}

QFont courierNew(qreal points)
{
    return faceWithFallbacks(
        {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")},
        QFont::TypeWriter, points, false);
}

} // namespace dravelin
