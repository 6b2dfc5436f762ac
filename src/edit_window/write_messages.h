#pragma once

#include <QString>
#include <string_view>

#include "database/write_problem.h"

namespace dravelin {

// What the user wanted when a change to the directory file failed.
enum class EditAction { Save, Delete, RaiseRevision };

// The French message for a change that did not happen: the cause, what was not done, and
// (when true) that the directory file is as it was.
QString writeProblemMessage(WriteProblem problem, EditAction action);

// The message for a modifying save or a delete whose key names no line of the file.
QString entryNotFoundMessage(std::string_view key, EditAction action);

// The message that replaces the revision prompt at revision 999.
QString revisionLimitMessage(int revision);

} // namespace dravelin
