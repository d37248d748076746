#include "search/textscan.h"

#include "engine/table.h"
#include "richtext/plaintext.h"
#include "search/words.h"

namespace search {

void PlainTextScan::begin(const std::vector<std::string>& forms) {
    forms_.clear();
    for (const std::string& f : forms) {
        forms_.push_back(foldAZ(f));
    }
    loaded_ = false;
}

bool PlainTextScan::contains(engine::Table& table, long long key, size_t i) {
    // The text is read once per row, however many words ask about it.
    if (!loaded_ || key != loadedKey_ || &table != loadedFrom_) {
        text_.clear();
        if (!table.isEmpty()) {
            rtf_ = table.fieldByName("Latinica").asString();
            rtf::appendPlainText(rtf_, text_);
        }
        foldAZInPlace(text_);
        loadedKey_ = key;
        loadedFrom_ = &table;
        loaded_ = true;
    }
    const std::string& form = forms_.at(i);
    return form.empty() || text_.find(form) != std::string::npos;
}

IndexedTextScan::IndexedTextScan(std::shared_ptr<const TextIndex> index)
    : index_(std::move(index)) {}

void IndexedTextScan::begin(const std::vector<std::string>& forms) {
    scan_.begin(forms);
    forms_.clear();
    sets_.clear();
    for (const std::string& f : forms) {
        forms_.push_back(foldAZ(f));
        if (TextIndex::answers(forms_.back())) {
            sets_.emplace_back(index_->documentsWith(forms_.back()));
        } else {
            sets_.emplace_back();
        }
    }
}

bool IndexedTextScan::contains(engine::Table& table, long long key, size_t i) {
    const std::optional<DocumentSet>& set = sets_.at(i);
    if (!set) {
        return scan_.contains(table, key, i);
    }
    if (table.isEmpty()) {
        return false;  // no text; the word is not empty
    }
    const std::optional<std::uint32_t> document = index_->document(key);
    if (!document) {
        return scan_.contains(table, key, i);
    }
    return hasDocument(*set, *document);
}

const DocumentSet* IndexedTextScan::documentsWith(size_t i) const {
    const std::optional<DocumentSet>& set = sets_.at(i);
    return set ? &*set : nullptr;
}

}  // namespace search
