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
// Each index is a file beside the database ("zakoni.zakoni.index" and
// "zakoni.misljenja.index" beside "zakoni.sqlite"), mapped into memory and
// used where it lies: opening it reads a header and a table of checksums
// (one per 4 KB block) and checks the parts every search reads whole (the
// keys and the vocabulary); the postings a search needs are read from the
// file and checked block by block as they are read, so that they leave no
// memory behind.
// The database holds the index's state (a side value): its build number,
// the generation of the text copy it was built from (textdata.h), its size
// and the checksum of its header and checksum table. An index whose texts
// changed since (the copy's generation moved on, or the copy is not
// current), whose file does not match its state, or whose bytes fail a
// checksum is never used: the searches then scan the plain texts.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/textdata.h"

namespace engine {
class Database;
}

namespace search {

// One bit per document of an index.
using DocumentSet = std::vector<std::uint64_t>;

inline bool hasDocument(const DocumentSet& set, std::uint32_t document) {
    return (set[document / 64] >> (document % 64) & 1U) != 0;
}

struct TextIndexInfo {
    long long documents = 0;  // texts indexed
    long long tokens = 0;     // distinct tokens
    long long bytes = 0;      // size of the file
};

// The index file of a table beside the database.
std::string textIndexPath(engine::Database& db, TextTable table);

// The stored index of a table when it is current; nullopt when it is
// missing or its texts changed since it was built.
std::optional<TextIndexInfo> textIndexInfo(engine::Database& db, TextTable table);

// The white space at which texts are cut into tokens. A word that holds
// one cannot be answered by the index.
inline bool isTokenSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

class TextIndex {
  public:
    ~TextIndex();
    TextIndex(const TextIndex&) = delete;
    TextIndex& operator=(const TextIndex&) = delete;

    // The current index of the table, mapped the first time and kept for
    // later calls while it stays current; nullptr when there is none, its
    // texts changed, or it does not check out. Cheap when nothing changed
    // (a few small queries).
    static std::shared_ptr<const TextIndex> current(engine::Database& db, TextTable table);

    // Opens an index file as the state expects it; nullptr when the file
    // does not match. For tests: current() is the way in.
    static std::shared_ptr<const TextIndex> open(const std::string& path, long long build,
                                                 long long size, std::uint64_t checksum);

    std::uint32_t documents() const { return documents_; }

    // The document of a row's key (ID_ZAKONA, BROJ_MISLJENJA). None when no
    // row had the key when the index was built, or several rows shared it
    // (their texts are read instead).
    std::optional<std::uint32_t> document(long long key) const;

    // Whether the index can answer the word: it is not empty and holds no
    // white space.
    static bool answers(std::string_view word);

    // The documents whose folded text holds the word (A-Z folded already);
    // the word must be one the index answers. nullopt when a part of the
    // index it needs fails its checksum: the index is damaged and is not
    // used again.
    std::optional<DocumentSet> documentsWith(std::string_view foldedWord) const;

    bool damaged() const;

  private:
    struct File;
    explicit TextIndex(std::unique_ptr<File> file);
    // The number of the token that is the word itself; nullopt when none is.
    std::optional<std::uint64_t> findToken(std::string_view word) const;
    // Adds a token's documents to set; full: set holds every document now
    // (told after a bitmap). False when the posting fails its checksum.
    bool addPosting(std::uint64_t token, DocumentSet& set, bool& full) const;

    std::unique_ptr<File> file_;
    std::uint32_t documents_ = 0;
};

// --- the stored form, shared with the builder (textindexbuild.cpp) ---
namespace indexformat {

inline constexpr char kMagic[8] = {'K', 'V', 'F', 'T', 'I', 'D', 'X', '2'};
inline constexpr std::uint64_t kBlock = 4096;  // bytes per checksum: a page
inline constexpr std::uint64_t kSparse = 64;   // tokens per vocabulary checkpoint
inline constexpr std::uint32_t kBitmapKind = 0x80000000u;

// The header: sixteen little-endian 64-bit words at the start of the file.
enum Word {
    kMagicWord,
    kBuild,
    kDocuments,
    kTokens,
    kKeysOffset,  // kKeyCount x (key, document), by key
    kVocabularyOffset,
    kVocabularySize,  // "\n" token "\n" token ... "\n"
    kSparseOffset,    // the offset in the vocabulary of every kSparse-th token
    kStartsOffset,    // tokens + 1 posting offsets (32 bits; top bit: a bitmap)
    kPostingsOffset,
    kPostingsSize,
    kChecksumsOffset,  // one checksum per kBlock bytes before it
    kBlocks,
    kFileSize,
    kKeyCount,  // keys held by one document only
    kWords = 16
};
inline constexpr std::uint64_t kHeaderSize = kWords * 8;

std::uint64_t checksum(const char* bytes, size_t size);

// The vocabulary is ordered by this hash of the tokens, then by their bytes.
std::uint64_t tokenHash(std::string_view token);
inline bool tokenBefore(std::uint64_t ha, std::string_view a, std::uint64_t hb,
                        std::string_view b) {
    return ha != hb ? ha < hb : a < b;
}

// The state kept in the database for a built index.
struct State {
    long long build = 0;
    long long generation = 0;  // of the text copy it was built from
    long long size = 0;
    std::uint64_t checksum = 0;  // of the header and the checksum table
    long long documents = 0;
    long long tokens = 0;
};
std::string stateName(TextTable table);
std::string encodeState(const State& s);
std::optional<State> decodeState(const std::string& text);

}  // namespace indexformat

}  // namespace search
