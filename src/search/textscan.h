#pragma once
// The full-text test of the title-and-text searches. The rich-text scan
// below is the reference: it reads the stored Latin text of each row it is
// asked about, turns it into plain text and looks for the word with A-Z
// folded to a-z on both sides (every other byte, the YUSCII letters
// included, compares exactly). The plain-text scan answers the same
// questions from the plain texts kept beside the rich texts, the index
// from its tokens; both are checked against the reference.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "search/textindex.h"

namespace engine {
class Database;
class Table;
}  // namespace engine

namespace search {

class Monitor;

class TextFinder {
  public:
    virtual ~TextFinder() = default;

    // A new search; forms[i] is word i as the text test looks for it.
    virtual void begin(const std::vector<std::string>& forms) = 0;
    // Whether the text on the current row of table (a regulation or an
    // opinion; key its number) holds forms[i].
    virtual bool contains(engine::Table& table, long long key, size_t i) = 0;
};

class RtfTextScan final : public TextFinder {
  public:
    void begin(const std::vector<std::string>& forms) override;
    bool contains(engine::Table& table, long long key, size_t i) override;

  private:
    std::vector<std::string> forms_;  // A-Z folded
    std::string text_;                // the plain text of the row loaded last, folded
    std::string rtf_;
    long long loadedKey_ = 0;
    const engine::Table* loadedFrom_ = nullptr;
    bool loaded_ = false;
};

// Answers from the plain-text copy of the table (which must be usable, see
// textCopyUsable): for each word, one pass over every copy the first time a
// row asks about it. A row whose key several copies share (or none holds)
// is read from its rich text.
class PlainTextScan final : public TextFinder {
  public:
    PlainTextScan(engine::Database& db, TextTable table);

    void begin(const std::vector<std::string>& forms) override;
    bool contains(engine::Table& table, long long key, size_t i) override;

    // For the searches over the catalog: whether each key's text holds all
    // of the forms its mask names (bit i: forms[i]), tested in order with
    // one pass over the copies. nullopt when a key is not answered by
    // exactly one known copy. monitor: pumped now and then.
    std::optional<std::unordered_map<long long, bool>> verdicts(
        const std::unordered_map<long long, std::vector<bool>>& masks, Monitor* monitor);

  private:
    struct KeysWith {
        std::unordered_set<long long> holding;
    };
    void scanFor(size_t i);

    engine::Database& db_;
    TextTable table_;
    std::vector<std::string> forms_;  // A-Z folded
    std::vector<std::optional<KeysWith>> sets_;
    std::unordered_set<long long> unsure_;    // keys read from the rich text
    std::unordered_set<long long> seenKeys_;  // keys some copy holds
    bool keysKnown_ = false;
    RtfTextScan rtf_;
};

// The same answers from the full-text index wherever it has them: for a
// row the index knows by its key and a word without white space. Every
// other question goes to the fallback finder.
class IndexedTextScan final : public TextFinder {
  public:
    IndexedTextScan(std::shared_ptr<const TextIndex> index, std::unique_ptr<TextFinder> fallback);

    void begin(const std::vector<std::string>& forms) override;
    bool contains(engine::Table& table, long long key, size_t i) override;

    const TextIndex& index() const { return *index_; }
    // The documents holding forms[i]; nullptr when the index cannot answer it.
    const DocumentSet* documentsWith(size_t i) const;

  private:
    std::shared_ptr<const TextIndex> index_;
    std::vector<std::string> forms_;  // A-Z folded
    std::vector<std::optional<DocumentSet>> sets_;
    std::unique_ptr<TextFinder> fallback_;
};

// The finder a search uses on a table: the index when it is current, else
// the plain texts when their copy is usable, else the rich texts.
std::unique_ptr<TextFinder> textFinder(engine::Database& db, TextTable table);
// The same without the index.
std::unique_ptr<TextFinder> plainTextFinder(engine::Database& db, TextTable table);

}  // namespace search
