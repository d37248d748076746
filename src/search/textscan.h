#pragma once
// The full-text test of the title-and-text searches. The plain scan below
// is the reference: it reads the stored Latin text of each row it is asked
// about, turns it into plain text and looks for the word with A-Z folded to
// a-z on both sides (every other byte, the YUSCII letters included, compares
// exactly). A faster finder (an index) answers the same questions and is
// checked against this one.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/textindex.h"

namespace engine {
class Table;
}

namespace search {

class TextFinder {
  public:
    virtual ~TextFinder() = default;

    // A new search; forms[i] is word i as the text test looks for it.
    virtual void begin(const std::vector<std::string>& forms) = 0;
    // Whether the text on the current row of table (a regulation or an
    // opinion; key its number) holds forms[i].
    virtual bool contains(engine::Table& table, long long key, size_t i) = 0;
};

class PlainTextScan final : public TextFinder {
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

// The same answers from the full-text index wherever it has them: for a
// row the index knows by its key and a word without white space. Every
// other question goes to the plain scan.
class IndexedTextScan final : public TextFinder {
  public:
    explicit IndexedTextScan(std::shared_ptr<const TextIndex> index);

    void begin(const std::vector<std::string>& forms) override;
    bool contains(engine::Table& table, long long key, size_t i) override;

    const TextIndex& index() const { return *index_; }
    // The documents holding forms[i]; nullptr when the index cannot answer it.
    const DocumentSet* documentsWith(size_t i) const;

  private:
    std::shared_ptr<const TextIndex> index_;
    std::vector<std::string> forms_;  // A-Z folded
    std::vector<std::optional<DocumentSet>> sets_;
    PlainTextScan scan_;
};

}  // namespace search
