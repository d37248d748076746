#include "update/rebuild.h"

#include "database/schema.h"

namespace update {

namespace {

void require(DBIResult rc, const std::string& what, hTUses handle) {
    if (rc != DBIERR_NONE) {
        throw RebuildError(what + " failed (" + std::to_string(rc) + "): " + TUReport(handle));
    }
}

}  // namespace

TBDEUtil::TBDEUtil(engine::Session& session, TUTextIndex textIndex)
    : session_(session), textIndex_(textIndex) {
    require(TUInit(session_, &handle_, textIndex_), "TUInit", 0);
}

TBDEUtil::~TBDEUtil() {
    TUExit(handle_);  // nothing to report to at program end
}

void Rebuild(TBDEUtil& util, const std::string& tableFile, Listener& listener) {
    require(TUExit(util.handle()), "TUExit", util.handle());
    hTUses handle = 0;
    require(TUInit(util.session(), &handle, util.textIndex()), "TUInit", 0);
    util.setHandle(handle);
    int errorLevel = 0;
    require(TUVerifyTable(handle, tableFile, "PARADOX", "Verify.DB", nullptr, 0, &errorLevel),
            "TUVerifyTable " + tableFile, handle);

    CRTblDescCounts counts;
    if (TUGetCRTblDescCount(handle, tableFile, &counts) != DBIERR_NONE) {
        return;
    }
    CRTblDesc desc;
    desc.tableName = tableFile;
    desc.tableType = "PARADOX";
    desc.errTableName = "Rebuild.DB";
    desc.fields.resize(counts.fields);
    desc.indexes.resize(counts.indexes);
    desc.security.resize(counts.security);
    desc.checks.resize(counts.checks);
    desc.references.resize(counts.references);
    desc.optParams.resize(counts.optParams);
    desc.optData.resize(128 * static_cast<size_t>(counts.optDataLength));
    if (TUFillCRTblDesc(handle, &desc, tableFile, nullptr) != DBIERR_NONE) {
        listener.diagnostic(TUReport(handle));
        listener.message("Greska u popuni baze", MessageKind::Error);
        return;
    }
    if (TURebuildTable(handle, tableFile, "PARADOX", "Backup.Db", "KEYVIOL.DB", "PROBLEM.DB",
                       &desc) != DBIERR_NONE) {
        listener.diagnostic(TUReport(handle));
        listener.message("Greska u snimanju podataka azuriranih za bazu: " +
                         std::filesystem::path(tableFile).filename().string());
    }
}

const std::vector<RepairStep>& repairSteps() {
    static const std::vector<RepairStep> steps = {
        {database::kBrojevi, 10},      {database::kArhiva, 20},      {database::kGlasnici, 30},
        {database::kZakoni, 40},       {database::kMisljenja, 50},   {database::kTipovi, 60},
        {database::kMinistarstva, 70}, {database::kLink, 75},        {database::kKategorije, 80},
        {database::kUgovori, 90},      {database::kKorisnicki, 100}, {database::kGrafika, -1},
        {database::kDatumi, -1},
    };
    return steps;
}

bool repairDatabase(TBDEUtil& util, const std::filesystem::path& dataFolder, Listener& listener) {
    bool ok = true;
    try {
        listener.progress(0, 100);
        for (const RepairStep& step : repairSteps()) {
            Rebuild(util, (dataFolder / step.table).string(), listener);
            if (step.barAfter >= 0) {
                listener.progress(step.barAfter, 100);
            }
            listener.idle();
        }
        listener.message("Popravka uspesno izvrsena. Baza je u ispravnom stanju.");
    } catch (const std::exception& e) {
        ok = false;
        listener.diagnostic(e.what());
        listener.message("Greska prilikom popravke baze!");
    }
    listener.progress(0, 100);
    return ok;
}

}  // namespace update
