#pragma once

#include "database/directory_file.h"

namespace dravelin {

// Why a change to the directory file did not happen. Whatever the value, the directory file
// is as it was before the attempt (AppendNotUndone alone says it may not be).
enum class WriteProblem {
    None,
    DirectoryBusy,        // another copy of the program is changing the file and did not finish in time
    LockNotCreated,       // the lock file cannot be created beside the directory file
    LockNotRegular,       // a link, a pipe, a folder or a device bears the lock file's name
    FirstLineChanged,     // the revision line is no longer the one the change was decided on
    RevisionLineTooLong,  // the first line is longer than any revision line: never replaced or compared
    DirectoryMissing,     // no directory file in the program folder
    DirectoryNotReadable, // present, but a folder, or no permission, or a read error
    DirectoryNotRegular,  // a pipe, a device or a socket, or a link to one
    DirectoryEmpty,       // not even a revision line to keep
    DirectoryReadOnly,    // the file is marked read-only
    DirectoryNotWritable, // this user may not write the file (another owner's, or its rights refuse it)
    ScratchNotCreated,    // the scratch file could not be created, or what bore its name removed
    PermissionsNotKept,   // the scratch file could not be given the directory file's access rights
    ScratchNotWritten,    // a write or the flush to disk of the scratch file failed
    DirectoryNotReplaced, // the finished scratch file could not take the directory's place
    DirectoryNotOpened,   // the directory file could not be opened for appending
    DirectoryNotWritten,  // the appended line could not be written or flushed; it was taken back
    AppendNotUndone,      // as above, and taking it back failed too: the file may end with a partial line
};

// Why a change could not go on when the directory file could not be read as it should.
WriteProblem writeProblemFor(FileProblem problem);

} // namespace dravelin
