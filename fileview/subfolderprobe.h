// Settles, on a thread of its own, whether folders hold subfolders: the
// folder tree offers to expand a folder whose short look at listing time
// could not tell, and asks here for the full look.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace tamble {

class SubFolderProbe {
public:
    // Told, on the probe's thread, each asked folder (CP932) with the ticket
    // of its latest ask and whether it holds a subfolder; a folder that
    // cannot be read holds none.
    using Report = std::function<void(const std::string& folder, unsigned long long ticket,
                                      bool hasSubFolders)>;

    explicit SubFolderProbe(Report report);
    // Ends the look under way without a report and returns at once: a look
    // stuck in a folder that never answers (a mount gone away) must not
    // hold up the end of the program. After this, report is never called.
    ~SubFolderProbe();
    SubFolderProbe(const SubFolderProbe&) = delete;
    SubFolderProbe& operator=(const SubFolderProbe&) = delete;

    // Queues folder, or gives the waiting ask for it the new ticket; folders
    // are looked at in the order asked. The thread starts with the first,
    // unless the probe is held.
    // The asker tells answers apart by ticket: a look that began before the
    // folder was asked again may still report with the older one.
    void Ask(std::string folder, unsigned long long ticket);
    // Drops the queued folders and ends the look under way, for a tree that
    // has been built afresh. A report already on its way may still come:
    // the asker ignores folders it no longer waits for.
    void Forget();
    // Held, asks wait in the queue and no look begins, so that the probe
    // takes no processor time from the start of the program; Release lets
    // them go. A probe is not held unless told.
    void Hold();
    void Release();

private:
    struct Shared; // what the thread keeps, alive as long as either needs it
    static void Run(const std::shared_ptr<Shared>& shared);
    // Starts the thread when asks wait and the probe is not held; under
    // the lock.
    void StartIfDue();

    std::shared_ptr<Shared> shared_;
};

} // namespace tamble
