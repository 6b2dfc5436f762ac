#include <QDir>

#include "database/unicode_text.h"
#include "platform/platform.h"

namespace dravelin {

QString displayPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(QString::fromStdWString(path.native()));
#else
    return QDir::toNativeSeparators(QString::fromStdString(utf8ForDisplay(path.native())));
#endif
}

} // namespace dravelin
