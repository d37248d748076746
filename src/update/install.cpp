#include "update/install.h"

#include <strings.h>

#include <ctime>

#include "database/schema.h"
#include "engine/batchmove.h"
#include "engine/session.h"
#include "engine/table.h"
#include "update/rebuild.h"
#include "update/sourcetable.h"
#include "zip/archive.h"
#include "zip/extract.h"

namespace fs = std::filesystem;

namespace update {

const std::vector<MergeRow>& mergeRows() {
    static const std::vector<MergeRow> rows = {
        {"TB_Datumi.DB", database::kDatumi},
        {"TB_Grafika.DB", database::kGrafika},
        {"TB_Zakoni.DB", database::kZakoni},
        {"tb_arhiva.db", database::kArhiva},
        {"tb_brojevi.db", database::kBrojevi},
        {"TB_Glasnici.DB", database::kGlasnici},
        {"TB_Kategorije_Zakona.db", database::kKategorije},
        {"TB_link.db", database::kLink},
        {"TB_Ministarstva.db", database::kMinistarstva},
        {"TB_Misljenja.DB", database::kMisljenja},
        {"TB_Tipovi_Zakona.db", database::kTipovi},
        {"TB_Ugovori.db", database::kUgovori},
    };
    return rows;
}

const std::vector<std::string>& validityFiles() {
    static const std::vector<std::string> files = {
        "TB_Arhiva.VAL",       "TB_Brojevi.VAL", "TB_Glasnici.VAL",          "TB_Zakoni.VAL",
        "TB_Misljenja.VAL",    "TB_Grafika.VAL", "TB_Kategorije_Zakona.VAL", "TB_Korisnicki.VAL",
        "TB_Ministarstva.VAL", "TB_link.VAL",    "TB_Tipovi_Zakona.VAL",     "TB_Ugovori.VAL",
        "TB_Datumi.VAL",
    };
    return files;
}

Installer::Installer(engine::Session& session, std::string alias, fs::path programDir,
                     TBDEUtil& util, InstallListener& listener)
    : session_(session),
      alias_(std::move(alias)),
      programDir_(std::move(programDir)),
      util_(util),
      listener_(listener) {}

void Installer::ispraznidir() {
    std::error_code ec;
    for (fs::directory_iterator it(programDir_ / kScratchDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code kind;
        if (!it->is_directory(kind) || it->is_symlink(kind)) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

bool Installer::raspakuj(const std::string& name) {
    const fs::path scratch = programDir_ / kScratchDir;
    std::error_code ec;
    fs::create_directories(scratch, ec);
    const fs::path file = programDir_ / kUpdatesDir / name;
    if (!fs::exists(file, ec)) {
        throw zip::Error("The fetched file is missing: " + file.string());
    }
    try {
        zip::Archive archive(file);
        zip::extractAll(archive, scratch, [&](const zip::Entry& entry) {
            listener_.progress(static_cast<long long>(std::min<std::uint64_t>(entry.size, 100)),
                               100);
            listener_.idle();
        });
    } catch (const zip::Error& e) {
        listener_.diagnostic(e.what());
        listener_.message("Greska u otpakivanju!");
        return false;
    }
    return true;
}

void Installer::ubivalove() {
    for (const std::string& name : validityFiles()) {
        std::error_code ec;
        fs::remove(programDir_ / kDataDir / name, ec);
    }
}

fs::path Installer::scratchFile(const std::string& name) const {
    std::error_code ec;
    for (fs::directory_iterator it(programDir_ / kScratchDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code kind;
        if (it->is_regular_file(kind) &&
            strcasecmp(it->path().filename().c_str(), name.c_str()) == 0) {
            return it->path();
        }
    }
    return {};
}

void Installer::mergeTable(const MergeRow& row, const fs::path& file) {
    engine::Table destination(session_, "BatchMove1");
    destination.setDatabaseName(alias_);
    destination.setTableName(row.table);
    destination.setIndexName("");  // the primary index
    destination.open();
    std::unique_ptr<engine::RowSource> source = openSourceTable(file);
    const engine::TableDef& def = destination.definition();
    const auto& fields = source->fields();
    bool fits = strcasecmp(source->tableName().c_str(), row.table) == 0 &&
                fields.size() == def.fields.size();
    for (size_t i = 0; fits && i < fields.size(); ++i) {
        fits = fields[i].type == def.fields[i].type;
    }
    if (!fits) {
        throw engine::Error("The file " + file.string() + " is not the table " + row.table);
    }
    engine::batchMoveAppendUpdate(*source, destination);
    destination.close();
}

void Installer::azur() {
    try {
        ubivalove();
    } catch (...) {
    }
    const fs::path data = programDir_ / kDataDir;
    try {
        for (const MergeRow& row : mergeRows()) {
            const fs::path file = scratchFile(row.file);
            if (file.empty()) {
                continue;
            }
            mergeTable(row, file);
            listener_.idle();
            Rebuild(util_, (data / row.table).string(), listener_);
            if (strcasecmp(row.table, database::kZakoni) == 0) {
                popuninajnovije();
            }
        }
    } catch (const std::exception& e) {
        listener_.diagnostic(e.what());
        listener_.message("Azuriranje nije uspelo");
    }
    listener_.updateDate(today());
    listener_.countsChanged();
}

void Installer::popuninajnovije() {
    std::vector<std::string> titles;
    const fs::path file = scratchFile("TB_Zakoni.DB");
    if (!file.empty()) {
        std::unique_ptr<engine::RowSource> source = openSourceTable(file);
        std::vector<engine::SourceValue> row;
        while (source->next(row)) {
            const auto* title = row.size() > database::pos::kZakoniNaziv
                                    ? std::get_if<std::string>(&row[database::pos::kZakoniNaziv])
                                    : nullptr;
            titles.push_back(title ? *title : std::string());
        }
    }
    listener_.newestList(titles);
}

std::string Installer::today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%d/%m/%Y", &local);
    return text;
}

}  // namespace update
