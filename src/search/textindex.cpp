#include "search/textindex.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <map>
#include <random>

#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/table.h"
#include "richtext/plaintext.h"

namespace search {

using engine::detail::execSql;
using engine::detail::quoteIdent;
using engine::detail::Stmt;

namespace {

struct Covered {
    const char* name;   // the index's name in the state table
    const char* table;  // the table it covers
    const char* key;    // the field a search names a row by
};

const Covered& covered(TextTable table) {
    static const Covered regulations{"zakoni", "TB_Zakoni", "ID_ZAKONA"};
    static const Covered opinions{"misljenja", "TB_Misljenja", "BROJ_MISLJENJA"};
    return table == TextTable::Regulations ? regulations : opinions;
}

constexpr const char* kSchemaSql =
    "CREATE TABLE IF NOT EXISTS korvet_fulltext_state (name TEXT PRIMARY KEY, "
    "stale INTEGER NOT NULL, build INTEGER NOT NULL, checksum INTEGER NOT NULL, "
    "documents INTEGER NOT NULL, tokens INTEGER NOT NULL, bytes INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS korvet_fulltext_data (name TEXT PRIMARY KEY, "
    "data BLOB NOT NULL);";

constexpr char kMagic[4] = {'K', 'V', 'F', 'T'};
constexpr std::uint32_t kFormat = 1;

const char* const kTriggerEvents[] = {"INSERT", "UPDATE", "DELETE"};

std::string triggerName(const Covered& c, const char* event) {
    std::string name = std::string("korvet_fulltext_") + c.name + "_" + event;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char ch) { return static_cast<char>(std::tolower(ch)); });
    return name;
}

// All three triggers present on the covered table: a table dropped and
// made again (a repair) has lost them.
bool triggersInPlace(sqlite3* db, const Covered& c) {
    Stmt stmt(db,
              "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN (?, ?, ?) "
              "AND tbl_name = ? COLLATE NOCASE");
    int at = 1;
    for (const char* event : kTriggerEvents) {
        stmt.bindText(at++, triggerName(c, event));
    }
    stmt.bindText(at, c.table);
    return stmt.step() && stmt.columnInt(0) == 3;
}

struct State {
    long long build = 0;
    std::uint64_t checksum = 0;
    TextIndexInfo info;
};

// The state of a current index; nullopt when there is none or it is stale.
std::optional<State> currentState(sqlite3* db, const Covered& c) {
    if (!triggersInPlace(db, c)) {
        return std::nullopt;
    }
    Stmt stmt;
    try {
        stmt = Stmt(db,
                    "SELECT stale, build, checksum, documents, tokens, bytes FROM "
                    "korvet_fulltext_state WHERE name = ?");
    } catch (const engine::Error&) {
        return std::nullopt;  // the state table is gone: no index
    }
    stmt.bindText(1, c.name);
    if (!stmt.step() || stmt.columnInt(0) != 0) {
        return std::nullopt;
    }
    State s;
    s.build = stmt.columnInt(1);
    s.checksum = static_cast<std::uint64_t>(stmt.columnInt(2));
    s.info = {stmt.columnInt(3), stmt.columnInt(4), stmt.columnInt(5)};
    return s;
}

std::uint64_t checksumOf(std::string_view bytes) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ bytes.size();
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, bytes.data() + i, 8);
        h = (h ^ w) * 0x100000001B3ull;
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i) {
        h = (h ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3ull;
    }
    // Kept in an SQLite integer: the top bit stays clear.
    return h >> 1;
}

// --- building -------------------------------------------------------------

void putU32(std::string& out, std::uint32_t v) {
    char b[4];
    std::memcpy(b, &v, 4);
    out.append(b, 4);
}

void putI64(std::string& out, long long v) {
    char b[8];
    std::memcpy(b, &v, 8);
    out.append(b, 8);
}

void putVarint(std::string& out, std::uint32_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<char>((v & 0x7F) | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<char>(v));
}

std::uint32_t checkedU32(size_t n) {
    if (n > 0xFFFFFFFFull) {
        throw engine::Error("the text index is too large");
    }
    return static_cast<std::uint32_t>(n);
}

// The tokens seen so far, each with its documents as delta varints.
class Builder {
  public:
    void add(std::uint32_t document, std::string_view text) {
        size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && isTokenSpace(text[i])) {
                ++i;
            }
            const size_t start = i;
            while (i < text.size() && !isTokenSpace(text[i])) {
                ++i;
            }
            if (i > start) {
                addToken(document, text.substr(start, i - start));
            }
        }
    }

    // The stored form: see TextIndex::parse.
    std::string serialize(const std::vector<long long>& keys) const {
        const size_t n = keys.size();
        const size_t bitmapBytes = (n + 7) / 8;
        std::string vocabulary = "\n";
        std::vector<std::uint32_t> starts;
        std::string kinds;
        std::string postings;
        std::vector<std::uint32_t> postingStarts;
        for (const Token& t : tokens_) {
            starts.push_back(checkedU32(vocabulary.size()));
            vocabulary.append(t.text);
            vocabulary.push_back('\n');
            postingStarts.push_back(checkedU32(postings.size()));
            if (t.deltas.size() > bitmapBytes) {
                // A common token: one bit per document is smaller.
                std::string bits(bitmapBytes, '\0');
                std::uint32_t doc = 0;
                size_t at = 0;
                bool firstDelta = true;
                while (at < t.deltas.size()) {
                    std::uint32_t delta = 0;
                    for (int shift = 0;; shift += 7) {
                        const auto byte = static_cast<unsigned char>(t.deltas[at++]);
                        delta |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
                        if ((byte & 0x80) == 0) {
                            break;
                        }
                    }
                    doc = firstDelta ? delta : doc + delta;
                    firstDelta = false;
                    bits[doc / 8] = static_cast<char>(bits[doc / 8] | (1 << (doc % 8)));
                }
                kinds.push_back(1);
                postings.append(bits);
            } else {
                kinds.push_back(0);
                postings.append(t.deltas);
            }
        }
        postingStarts.push_back(checkedU32(postings.size()));

        std::string out(kMagic, 4);
        putU32(out, kFormat);
        putU32(out, checkedU32(n));
        putU32(out, checkedU32(tokens_.size()));
        for (long long key : keys) {
            putI64(out, key);
        }
        putU32(out, checkedU32(vocabulary.size()));
        out.append(vocabulary);
        for (std::uint32_t s : starts) {
            putU32(out, s);
        }
        out.append(kinds);
        for (std::uint32_t s : postingStarts) {
            putU32(out, s);
        }
        out.append(postings);
        return out;
    }

    size_t tokenCount() const { return tokens_.size(); }

  private:
    struct Token {
        std::string_view text;  // in names_
        std::string deltas;
        std::uint32_t last = 0;
        bool any = false;
    };

    void addToken(std::uint32_t document, std::string_view token) {
        auto it = ids_.find(token);
        if (it == ids_.end()) {
            names_.emplace_back(token);
            it = ids_.emplace(names_.back(), static_cast<std::uint32_t>(tokens_.size())).first;
            tokens_.push_back(Token{names_.back(), {}, 0, false});
        }
        Token& t = tokens_[it->second];
        if (t.any && t.last == document) {
            return;  // once per document
        }
        putVarint(t.deltas, t.any ? document - t.last : document);
        t.last = document;
        t.any = true;
    }

    std::deque<std::string> names_;  // stable storage for the keys of ids_
    std::unordered_map<std::string_view, std::uint32_t> ids_;
    std::vector<Token> tokens_;
};

void foldInPlace(std::string& s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}

// Reads the covered table through the engine, as the searches read it: the
// key as an integer, the Latin text as its plain text. Rows whose key is
// shared (or is no number) get no document.
std::string buildIndex(engine::Session& session, const std::string& alias, const Covered& c,
                       TextIndexInfo& info) {
    engine::Table table(session, std::string("fulltext ") + c.name);
    table.setDatabaseName(alias);
    table.setTableName(c.table);
    table.setReadOnly(true);
    table.open();
    const int keyField = table.fieldByName(c.key).index();
    const int textField = table.fieldByName("Latinica").index();

    auto keyOf = [&]() -> std::optional<long long> {
        try {
            return table.field(keyField).asInteger();
        } catch (const engine::Error&) {
            return std::nullopt;  // the searches cannot name this row either
        }
    };
    std::unordered_map<long long, int> uses;
    for (table.first(); !table.eof(); table.next()) {
        if (const auto key = keyOf()) {
            ++uses[*key];
        }
    }

    Builder builder;
    std::vector<long long> keys;
    std::string text;
    for (table.first(); !table.eof(); table.next()) {
        const auto key = keyOf();
        if (!key || uses[*key] != 1) {
            continue;
        }
        text.clear();
        rtf::appendPlainText(table.field(textField).asString(), text);
        foldInPlace(text);
        builder.add(static_cast<std::uint32_t>(keys.size()), text);
        keys.push_back(*key);
    }
    table.close();
    info.documents = static_cast<long long>(keys.size());
    info.tokens = static_cast<long long>(builder.tokenCount());
    std::string bytes = builder.serialize(keys);
    info.bytes = static_cast<long long>(bytes.size());
    return bytes;
}

// --- reading --------------------------------------------------------------

class Reader {
  public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool u32(std::uint32_t& v) { return copy(&v, 4); }
    bool i64(long long& v) { return copy(&v, 8); }
    bool view(size_t n, std::string_view& v) {
        if (n > bytes_.size() - at_) {
            return false;
        }
        v = bytes_.substr(at_, n);
        at_ += n;
        return true;
    }
    bool done() const { return at_ == bytes_.size(); }

  private:
    bool copy(void* to, size_t n) {
        if (n > bytes_.size() - at_) {
            return false;
        }
        std::memcpy(to, bytes_.data() + at_, n);
        at_ += n;
        return true;
    }

    std::string_view bytes_;
    size_t at_ = 0;
};

// The loaded indexes by build number; a rebuild gets a new number, so an
// entry is never confused with another database's or an older build.
std::map<long long, std::shared_ptr<const TextIndex>>& loaded() {
    static std::map<long long, std::shared_ptr<const TextIndex>> cache;
    return cache;
}

}  // namespace

bool isTokenSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void rebuildTextIndex(engine::Session& session, const std::string& alias) {
    engine::Database& db = session.database(alias);
    sqlite3* h = db.handle();
    engine::Database::Transaction tx(db);
    execSql(h, kSchemaSql);
    std::random_device random;
    for (TextTable which : {TextTable::Regulations, TextTable::Opinions}) {
        const Covered& c = covered(which);
        TextIndexInfo info;
        const std::string bytes = buildIndex(session, alias, c, info);
        long long build = 0;
        while (build == 0) {
            build =
                static_cast<long long>((static_cast<std::uint64_t>(random()) << 31) ^ random()) &
                0x7FFFFFFFFFFFFFFFll;
        }

        Stmt data(h, "INSERT OR REPLACE INTO korvet_fulltext_data (name, data) VALUES (?, ?)");
        data.bindText(1, c.name);
        data.bindBlob(2, bytes);
        data.step();

        for (const char* event : kTriggerEvents) {
            const std::string name = quoteIdent(triggerName(c, event));
            execSql(h, "DROP TRIGGER IF EXISTS " + name);
            execSql(h, "CREATE TRIGGER " + name + " AFTER " + event + " ON " + quoteIdent(c.table) +
                           " BEGIN UPDATE korvet_fulltext_state SET stale = 1 WHERE name = '" +
                           c.name + "'; END");
        }

        Stmt state(h,
                   "INSERT OR REPLACE INTO korvet_fulltext_state (name, stale, build, "
                   "checksum, documents, tokens, bytes) VALUES (?, 0, ?, ?, ?, ?, ?)");
        state.bindText(1, c.name);
        state.bindInt(2, build);
        state.bindInt(3, static_cast<long long>(checksumOf(bytes)));
        state.bindInt(4, info.documents);
        state.bindInt(5, info.tokens);
        state.bindInt(6, info.bytes);
        state.step();
    }
    tx.commit();
}

std::optional<TextIndexInfo> textIndexInfo(engine::Database& db, TextTable table) {
    const std::optional<State> s = currentState(db.handle(), covered(table));
    if (!s) {
        return std::nullopt;
    }
    return s->info;
}

std::shared_ptr<const TextIndex> TextIndex::current(engine::Database& db, TextTable table) {
    sqlite3* h = db.handle();
    const Covered& c = covered(table);
    const std::optional<State> s = currentState(h, c);
    if (!s) {
        return nullptr;
    }
    auto& cache = loaded();
    if (auto it = cache.find(s->build); it != cache.end()) {
        return it->second;
    }
    Stmt stmt(h, "SELECT data FROM korvet_fulltext_data WHERE name = ?");
    stmt.bindText(1, c.name);
    if (!stmt.step()) {
        return nullptr;
    }
    std::string bytes = stmt.columnBytes(0);
    if (checksumOf(bytes) != s->checksum) {
        return nullptr;
    }
    std::shared_ptr<const TextIndex> index = parse(std::move(bytes));
    if (index) {
        // Two tables, and perhaps a database built meanwhile: keep a few.
        if (cache.size() >= 4) {
            cache.erase(cache.begin());
        }
        cache.emplace(s->build, index);
    }
    return index;
}

std::shared_ptr<const TextIndex> TextIndex::parse(std::string bytes) {
    std::shared_ptr<TextIndex> index(new TextIndex);
    index->bytes_ = std::move(bytes);
    Reader r(index->bytes_);
    std::string_view magic;
    std::uint32_t format = 0, n = 0, tokens = 0, vocabularySize = 0;
    if (!r.view(4, magic) || magic != std::string_view(kMagic, 4) || !r.u32(format) ||
        format != kFormat || !r.u32(n) || !r.u32(tokens)) {
        return nullptr;
    }
    // Every document and token takes bytes of its own: counts beyond the
    // size are damage, caught before anything is reserved for them.
    if (n > index->bytes_.size() / 8 || tokens > index->bytes_.size() / 9) {
        return nullptr;
    }
    index->keys_.resize(n);
    for (std::uint32_t d = 0; d < n; ++d) {
        if (!r.i64(index->keys_[d]) || !index->byKey_.emplace(index->keys_[d], d).second) {
            return nullptr;
        }
    }
    if (!r.u32(vocabularySize) || !r.view(vocabularySize, index->vocabulary_) ||
        index->vocabulary_.empty() || index->vocabulary_.front() != '\n' ||
        index->vocabulary_.back() != '\n') {
        return nullptr;
    }
    index->tokenStart_.resize(tokens);
    for (std::uint32_t t = 0; t < tokens; ++t) {
        std::uint32_t s = 0;
        if (!r.u32(s)) {
            return nullptr;
        }
        // Each token starts after a line feed, later than the one before.
        const std::uint32_t previous = t == 0 ? 0 : index->tokenStart_[t - 1];
        if (s <= previous || s >= vocabularySize || index->vocabulary_[s - 1] != '\n') {
            return nullptr;
        }
        index->tokenStart_[t] = s;
    }
    std::string_view kinds;
    if (!r.view(tokens, kinds)) {
        return nullptr;
    }
    index->kind_.assign(kinds.begin(), kinds.end());
    index->postingStart_.resize(static_cast<size_t>(tokens) + 1);
    for (std::uint32_t t = 0; t <= tokens; ++t) {
        if (!r.u32(index->postingStart_[t]) ||
            (t > 0 && index->postingStart_[t] < index->postingStart_[t - 1])) {
            return nullptr;
        }
    }
    if (index->postingStart_[0] != 0 || !r.view(index->postingStart_[tokens], index->postings_) ||
        !r.done()) {
        return nullptr;
    }
    const size_t bitmapBytes = (static_cast<size_t>(n) + 7) / 8;
    for (std::uint32_t t = 0; t < tokens; ++t) {
        const size_t length = index->postingStart_[t + 1] - index->postingStart_[t];
        if (index->kind_[t] > 1 || (index->kind_[t] == 1 && length != bitmapBytes)) {
            return nullptr;
        }
    }
    return index;
}

std::optional<std::uint32_t> TextIndex::document(long long key) const {
    auto it = byKey_.find(key);
    if (it == byKey_.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool TextIndex::answers(std::string_view word) {
    return !word.empty() && std::none_of(word.begin(), word.end(), isTokenSpace);
}

DocumentSet TextIndex::documentsWith(std::string_view word) const {
    const std::uint32_t n = documents();
    DocumentSet set((static_cast<size_t>(n) + 63) / 64, 0);
    const size_t bitmapBytes = (static_cast<size_t>(n) + 7) / 8;
    const char* const base = vocabulary_.data();
    size_t from = 0;
    while (from < vocabulary_.size()) {
        const void* hit = memmem(base + from, vocabulary_.size() - from, word.data(), word.size());
        if (hit == nullptr) {
            break;
        }
        const auto offset = static_cast<std::uint32_t>(static_cast<const char*>(hit) - base);
        // The token that holds the hit: the last one starting at or before it.
        const auto after = std::upper_bound(tokenStart_.begin(), tokenStart_.end(), offset);
        if (after == tokenStart_.begin()) {
            from = offset + 1;  // before the first token: only in a damaged index
            continue;
        }
        const auto t = static_cast<size_t>(after - tokenStart_.begin() - 1);
        const std::string_view posting =
            postings_.substr(postingStart_[t], postingStart_[t + 1] - postingStart_[t]);
        if (kind_[t] == 1) {
            for (size_t b = 0; b < bitmapBytes; ++b) {
                set[b / 8] |= static_cast<std::uint64_t>(static_cast<unsigned char>(posting[b]))
                              << (8 * (b % 8));
            }
        } else {
            std::uint32_t doc = 0;
            bool first = true;
            size_t at = 0;
            while (at < posting.size()) {
                std::uint32_t delta = 0;
                for (int shift = 0; at < posting.size() && shift < 35; shift += 7) {
                    const auto byte = static_cast<unsigned char>(posting[at++]);
                    delta |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
                    if ((byte & 0x80) == 0) {
                        break;
                    }
                }
                doc = first ? delta : doc + delta;
                first = false;
                if (doc < n) {  // a damaged posting names no document beyond the last
                    set[doc / 64] |= std::uint64_t{1} << (doc % 64);
                }
            }
        }
        // On to the next token: a token counts once however often it holds the word.
        from = t + 1 < tokenStart_.size() ? tokenStart_[t + 1] : vocabulary_.size();
    }
    return set;
}

}  // namespace search
