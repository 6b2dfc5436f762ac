#pragma once

#include <QFont>

namespace dravelin {

// The faces the windows were designed with, each with fallbacks of the same kind and size
// for machines that lack it: the result list and the printout must stay fixed-pitch.
QFont msSansSerif(qreal points, bool bold = false);
QFont letterGothic(qreal points);
QFont courierNew(qreal points);

} // namespace dravelin
