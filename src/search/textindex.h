#pragma once
// The full-text index of the regulation and opinion texts. For each of the
// two tables it holds the distinct tokens of the plain Latin texts (maximal
// runs of bytes other than white space, A-Z folded to a-z, every other byte
// as it is) and the documents that hold each token. A search word never
// holds a space, so when it holds no other white space either it occurs in
// a text exactly when it is part of one of the text's tokens: the index
// answers the text test of the keyword searches exactly, two-letter words
// and single Serbian capitals included, with no pass over the texts.
//
// The index lives in the database file beside the tables it covers (the
// tables korvet_fulltext_state and korvet_fulltext_data, which the engine
// does not list). rebuildTextIndex builds it; the database builders call
// it, and so must every part of the program that changes TB_Zakoni or
// TB_Misljenja (the update, the repair). Triggers on the two tables mark an
// index stale at any insert, update or delete, and a table rebuilt under
// the index loses them; an index that is stale, missing, without its
// triggers or damaged is never used, and the searches then read the texts.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace engine {
class Database;
class Session;
}  // namespace engine

namespace search {

enum class TextTable { Regulations, Opinions };

// One bit per document of an index.
using DocumentSet = std::vector<std::uint64_t>;

inline bool hasDocument(const DocumentSet& set, std::uint32_t document) {
    return (set[document / 64] >> (document % 64) & 1U) != 0;
}

struct TextIndexInfo {
    long long documents = 0;  // texts indexed
    long long tokens = 0;     // distinct tokens
    long long bytes = 0;      // stored size
};

// Builds the index of both tables from the tables behind the alias and
// stores it, replacing the old one, and (re)installs the triggers; all in
// one transaction. Engine errors propagate and leave the old index as it
// was.
void rebuildTextIndex(engine::Session& session, const std::string& alias);

// The stored index of a table when it is current; nullopt when it is
// missing or stale.
std::optional<TextIndexInfo> textIndexInfo(engine::Database& db, TextTable table);

// The white space at which texts are cut into tokens. A word that holds
// one cannot be answered by the index.
bool isTokenSpace(char c);

class TextIndex {
  public:
    // The current index of the table, read from the database the first
    // time and kept for later calls while it stays current; nullptr when
    // there is none, it is stale, or it does not read back intact. Cheap
    // when nothing changed (one small query).
    static std::shared_ptr<const TextIndex> current(engine::Database& db, TextTable table);

    // Parses a stored index; nullptr when the bytes are no intact index.
    static std::shared_ptr<const TextIndex> parse(std::string bytes);

    std::uint32_t documents() const { return static_cast<std::uint32_t>(keys_.size()); }

    // The document of a row's key (ID_ZAKONA, BROJ_MISLJENJA). None when no
    // row had the key when the index was built, or several rows shared it
    // (their texts are read instead).
    std::optional<std::uint32_t> document(long long key) const;

    // Whether the index can answer the word: it is not empty and holds no
    // white space.
    static bool answers(std::string_view word);

    // The documents whose folded text holds the word (A-Z folded already).
    // The word must be one the index answers.
    DocumentSet documentsWith(std::string_view foldedWord) const;

  private:
    TextIndex() = default;

    std::string bytes_;            // the stored form
    std::vector<long long> keys_;  // by document
    std::unordered_map<long long, std::uint32_t> byKey_;
    std::string_view vocabulary_;              // "\n" tok "\n" tok ... "\n"
    std::vector<std::uint32_t> tokenStart_;    // offset of each token in the vocabulary
    std::vector<std::uint8_t> kind_;           // 0: delta varints, 1: bitmap
    std::vector<std::uint32_t> postingStart_;  // one more than tokens
    std::string_view postings_;
};

}  // namespace search
