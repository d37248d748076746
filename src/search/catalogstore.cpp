#include "search/catalogstore.h"

#include <cstring>
#include <optional>
#include <vector>

#include "database/datasets.h"
#include "database/schema.h"
#include "engine/session.h"
#include "engine/sidedata.h"
#include "engine/table.h"
#include "search/catalog.h"
#include "search/keyword.h"
#include "yuscii/yuscii.h"

namespace search {

namespace {

constexpr const char* kValue = "catalog";
constexpr char kMagic[8] = {'K', 'V', 'C', 'A', 'T', 'L', 'G', '1'};

const char* const kSources[] = {database::kBrojevi, database::kZakoni, database::kGlasnici,
                                database::kArhiva};

// The write counts of the source tables; nullopt when one is not kept.
std::optional<std::vector<long long>> counts(engine::Database& db) {
    std::vector<long long> out;
    for (const char* table : kSources) {
        if (!db.hasTable(table)) {
            return std::nullopt;
        }
        const std::optional<long long> c = engine::WriteCount(db, table).value();
        if (!c) {
            return std::nullopt;
        }
        out.push_back(*c);
    }
    return out;
}

class Out {
  public:
    void u64(std::uint64_t v) { bytes.append(reinterpret_cast<const char*>(&v), 8); }
    void text(const std::string& s) {
        u64(s.size());
        bytes += s;
    }
    std::string bytes;
};

class In {
  public:
    explicit In(const std::string& b) : bytes_(b) {}
    bool u64(std::uint64_t& v) {
        if (bytes_.size() - at_ < 8) {
            return false;
        }
        std::memcpy(&v, bytes_.data() + at_, 8);
        at_ += 8;
        return true;
    }
    bool text(std::string& s) {
        std::uint64_t n = 0;
        if (!u64(n) || n > bytes_.size() - at_) {
            return false;
        }
        s.assign(bytes_.data() + at_, n);
        at_ += n;
        return true;
    }
    bool done() const { return at_ == bytes_.size(); }

  private:
    const std::string& bytes_;
    size_t at_ = 0;
};

std::string encode(const std::vector<long long>& sourceCounts, const Catalog& catalog) {
    Out out;
    out.bytes.assign(kMagic, 8);
    for (long long c : sourceCounts) {
        out.u64(static_cast<std::uint64_t>(c));
    }
    out.u64(catalog.rows().size());
    for (const CatalogRow& r : catalog.rows()) {
        out.text(r.row.caption);
        out.u64(r.row.sub.size());
        for (const std::string& s : r.row.sub) {
            out.text(s);
        }
        out.u64(static_cast<std::uint64_t>(r.row.image));
        out.u64(static_cast<std::uint64_t>(r.id));
        out.u64(r.present ? 1 : 0);
        std::uint64_t gazette = 0;
        if (r.gazette) {
            std::memcpy(&gazette, &*r.gazette, 8);
        }
        out.u64(r.gazette ? 1 : 0);
        out.u64(gazette);
    }
    return out.bytes;
}

}  // namespace

bool storeCatalog(const std::string& dataDir) {
    engine::Session session;
    session.addStandardAlias(database::kAlias, dataDir, "Paradox");
    session.addPassword(database::kMasterPassword);
    session.open();
    engine::Database& db = session.database(database::kAlias);
    std::optional<std::vector<long long>> before = counts(db);
    if (!before) {
        for (const char* table : kSources) {
            if (db.hasTable(table)) {
                engine::WriteCount(db, table).install();
            }
        }
        before = counts(db);
        if (!before) {
            session.close();
            return false;
        }
    }
    bool stored = false;
    {
        database::MainData data(session);
        data.openAll();
        // The search of every row records the catalog as the windows' walk does.
        Monitor quiet;
        keywordSearch(data, {"", Scope::Titles, 0}, quiet, [](const Row&) {});
        const std::shared_ptr<const Catalog> catalog = Catalog::find(data);
        if (catalog && counts(db) == before) {
            engine::setSideValue(db, kValue, encode(*before, *catalog));
            stored = true;
        }
        data.closeAll();
    }
    session.close();
    return stored;
}

bool storedCatalogCurrent(engine::Database& db) {
    const std::optional<std::string> value = engine::sideValue(db, kValue);
    const std::optional<std::vector<long long>> now = counts(db);
    if (!value || !now || value->size() < 8 + 8 * now->size() ||
        value->compare(0, 8, kMagic, 8) != 0) {
        return false;
    }
    return std::memcmp(value->data() + 8, now->data(), 8 * now->size()) == 0;
}

std::shared_ptr<const Catalog> loadStoredCatalog(database::MainData& data) {
    if (!data.Glavna.active()) {
        return nullptr;
    }
    engine::Database& db = data.Glavna.database();
    if (!storedCatalogCurrent(db)) {
        return nullptr;
    }
    const std::string value = *engine::sideValue(db, kValue);
    In in(value);
    std::uint64_t skip = 0;
    for (size_t k = 0; k < 1 + std::size(kSources); ++k) {
        in.u64(skip);  // the magic and the counts, checked above
    }
    Catalog::Recorder recorder(data);
    std::uint64_t rows = 0;
    if (!in.u64(rows)) {
        return nullptr;
    }
    for (std::uint64_t k = 0; k < rows; ++k) {
        CatalogRow r;
        std::uint64_t subs = 0, image = 0, id = 0, present = 0, hasGazette = 0, gazette = 0;
        if (!in.text(r.row.caption) || !in.u64(subs) || subs > value.size()) {
            return nullptr;
        }
        r.row.sub.resize(subs);
        for (std::string& s : r.row.sub) {
            if (!in.text(s)) {
                return nullptr;
            }
        }
        if (!in.u64(image) || !in.u64(id) || !in.u64(present) || !in.u64(hasGazette) ||
            !in.u64(gazette)) {
            return nullptr;
        }
        r.row.image = static_cast<int>(image);
        r.id = static_cast<long long>(id);
        r.present = present != 0;
        if (hasGazette != 0) {
            double g = 0;
            std::memcpy(&g, &gazette, 8);
            r.gazette = g;
        }
        r.upperTitle = yuscii::yupperW(r.row.caption);
        recorder.add(std::move(r));
    }
    if (!in.done()) {
        return nullptr;
    }
    recorder.finish();
    return Catalog::find(data);
}

}  // namespace search
