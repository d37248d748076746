#pragma once
// The installation tests' fixture: an archive installed as the download run
// installs it, and the text index read back.
#include "database/schema.h"
#include "search/textindex.h"
#include "update/install.h"
#include "update/rebuild.h"
#include "update_fixture.h"

namespace updatetest {

class InstallTest : public UpdateTest {
  protected:
    // ispraznidir, raspakuj and azur, as the download run calls them.
    void install(const std::string& name) {
        update::Installer installer(session_, database::kAlias, program(), util_, listener_);
        installer.ispraznidir();
        if (installer.raspakuj(name)) {
            installer.azur();
        }
    }

    // Whether the index is current and finds the word exactly in these regulations.
    std::vector<long long> indexed(const std::string& word) {
        auto index = search::TextIndex::current(db(), search::TextTable::Regulations);
        if (!index) {
            return {-1};
        }
        auto set = index->documentsWith(word);
        if (!set) {
            return {-2};
        }
        std::vector<long long> ids;
        for (long long id = 1; id <= 5; ++id) {
            auto doc = index->document(id);
            if (doc && search::hasDocument(*set, *doc)) {
                ids.push_back(id);
            }
        }
        return ids;
    }

    update::TBDEUtil util_{session_};
};

}  // namespace updatetest
