#include "database/write_problem.h"

namespace dravelin {

WriteProblem writeProblemFor(FileProblem problem)
{
    switch (problem) {
    case FileProblem::None:
        break;
    case FileProblem::Missing:
        return WriteProblem::DirectoryMissing;
    case FileProblem::NotReadable:
        return WriteProblem::DirectoryNotReadable;
    case FileProblem::NotRegular:
        return WriteProblem::DirectoryNotRegular;
    }
    return WriteProblem::None;
}

} // namespace dravelin
