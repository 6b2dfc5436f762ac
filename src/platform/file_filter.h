#pragma once

#include <QString>

namespace dravelin {

// Turns description and pattern pairs joined by "|" (".txt |*.txt") into the form of Qt's
// file dialogs (".txt (*.txt)", entries joined by ";;"). Several patterns of one entry,
// joined by ";", become one list joined by spaces; a description without pattern lists all files.
QString qtFileFilter(const QString& pairs);

} // namespace dravelin
