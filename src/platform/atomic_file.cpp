#include "platform/atomic_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace dravelin {

namespace {

QString openFailure(const QString& path)
{
    const QFileInfo info(path);
    if (info.fileName().isEmpty())
        return QStringLiteral("le nom du fichier est vide.");
    if (!info.absoluteDir().exists())
        return QStringLiteral("le dossier « %1 » n'existe pas.").arg(QDir::toNativeSeparators(info.absolutePath()));
    if (info.isDir())
        return QStringLiteral("un dossier porte déjà ce nom.");
    return QStringLiteral("le fichier ne peut pas être créé dans ce dossier (nom invalide ou accès refusé).");
}

} // namespace

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return openFailure(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path);
    // Leaving without commit() removes the temporary file and keeps the earlier one.
    // The write only fills Qt's buffer; a full disk shows at the flush, and commit() would
    // put the cut-off file in place of the earlier one without a word.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return QStringLiteral("l'écriture a échoué (disque plein ou support retiré ?).");
    if (!file.commit())
        return file.error() == QFileDevice::WriteError
                   ? QStringLiteral("l'écriture a échoué (disque plein ou support retiré ?).")
                   : QStringLiteral(
                         "le fichier existant n'a pas pu être remplacé (accès refusé ou fichier ouvert ailleurs).");
    return std::nullopt;
}

} // namespace dravelin
