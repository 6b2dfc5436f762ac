#pragma once

#include "shared/sous_programmes.h"

namespace dravelin {

// Marks one operation on the directory file for as long as it lives. An operation started
// while another runs (from the pending-events pass of the first) does not start: the
// handler that asked for it returns at once.
class DirectoryOperation {
public:
    explicit DirectoryOperation(Sous_Programmes& shared) : shared_(shared), started_(!shared.directoryBusy)
    {
        shared_.directoryBusy = true;
    }
    ~DirectoryOperation()
    {
        if (started_)
            shared_.directoryBusy = false;
    }
    DirectoryOperation(const DirectoryOperation&) = delete;
    DirectoryOperation& operator=(const DirectoryOperation&) = delete;

    bool started() const { return started_; }

private:
    Sous_Programmes& shared_;
    bool started_;
};

} // namespace dravelin
