#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace dravelin {

// Writes the bytes to a temporary file beside `path` and puts it in the place of `path` only
// once everything is written: a failure leaves an earlier file of that name as it was.
// Returns a French description of the failure.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace dravelin
