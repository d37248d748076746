#pragma once
// TBDEUtil, the holder of the table utility's session, and the verification
// and rebuild of one table (Rebuild) and of the whole database (the repair).
#include <filesystem>
#include <stdexcept>
#include <string>

#include "update/listener.h"
#include "update/tutil.h"

namespace engine {
class Session;
}

namespace update {

// A failure of the utility session or of the verification; it ends the
// merge of an archive or the repair.
class RebuildError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TBDEUtil {
  public:
    // Opens a utility session (TUInit); throws RebuildError on failure.
    // textIndex: what each rebuild does to the full-text index (see tutil.h).
    explicit TBDEUtil(engine::Session& session, TUTextIndex textIndex = TUTextIndex::Rebuild);
    // Closes it (TUExit).
    ~TBDEUtil();
    TBDEUtil(const TBDEUtil&) = delete;
    TBDEUtil& operator=(const TBDEUtil&) = delete;

    engine::Session& session() const { return session_; }
    TUTextIndex textIndex() const { return textIndex_; }
    hTUses handle() const { return handle_; }
    void setHandle(hTUses handle) { handle_ = handle; }

  private:
    engine::Session& session_;
    TUTextIndex textIndex_;
    hTUses handle_ = 0;
};

// Verifies and rebuilds one table, named by its file (the data folder
// joined with the table's name): a fresh utility session, the verification,
// the descriptor counts (none: done, silently), the descriptor ("Greska u
// popuni baze" on failure) and the rebuild ("Greska u snimanju podataka
// azuriranih za bazu: " + the table's name on failure). Those two messages
// do not raise; session and verification failures throw RebuildError.
void Rebuild(TBDEUtil& util, const std::string& tableFile, Listener& listener);

// The thirteen tables of the repair, in order, with the progress bar
// position after each (-1: unchanged).
struct RepairStep {
    const char* table;
    int barAfter;
};
const std::vector<RepairStep>& repairSteps();

// Rebuilds every table of the data folder in the repair's order, moving the
// progress bar (0 .. 100) after each, and reports "Popravka uspesno
// izvrsena. Baza je u ispravnom stanju." or, when a rebuild throws, "Greska
// prilikom popravke baze!" (the remaining tables are skipped). The bar ends
// at 0. True when the repair succeeded.
bool repairDatabase(TBDEUtil& util, const std::filesystem::path& dataFolder, Listener& listener);

}  // namespace update
