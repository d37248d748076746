#include "search/textscan.h"

#include "engine/session.h"
#include "engine/sidedata.h"
#include "engine/table.h"
#include "richtext/plaintext.h"
#include "search/foldfind.h"
#include "search/monitor.h"
#include "search/words.h"

namespace search {

void RtfTextScan::begin(const std::vector<std::string>& forms) {
    forms_.clear();
    for (const std::string& f : forms) {
        forms_.push_back(foldAZ(f));
    }
    loaded_ = false;
}

bool RtfTextScan::contains(engine::Table& table, long long key, size_t i) {
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

// --- the plain-text copies --------------------------------------------------

PlainTextScan::PlainTextScan(engine::Database& db, TextTable table) : db_(db), table_(table) {}

void PlainTextScan::begin(const std::vector<std::string>& forms) {
    rtf_.begin(forms);
    forms_.clear();
    for (const std::string& f : forms) {
        forms_.push_back(foldAZ(f));
    }
    sets_.assign(forms_.size(), std::nullopt);
    keysKnown_ = false;
    unsure_.clear();
}

void PlainTextScan::scanFor(size_t i) {
    const FoldedFinder finder(forms_.at(i));
    KeysWith found;
    std::unordered_map<long long, int> seen;
    textCopy(db_, table_).scan([&](const engine::TextCopyEntry& e) {
        if (!e.key) {
            return true;
        }
        if (!keysKnown_) {
            ++seen[*e.key];
            if (!e.text) {
                unsure_.insert(*e.key);
            }
        }
        if (e.text && finder.occursIn(*e.text)) {
            found.holding.insert(*e.key);
        }
        return true;
    });
    if (!keysKnown_) {
        for (const auto& [key, count] : seen) {
            if (count != 1) {
                unsure_.insert(key);
            }
        }
        // A key no copy holds is read from its rich text too: remember the
        // keys that were seen by marking the others when asked.
        seenKeys_.clear();
        for (const auto& [key, count] : seen) {
            seenKeys_.insert(key);
        }
        keysKnown_ = true;
    }
    sets_[i] = std::move(found);
}

bool PlainTextScan::contains(engine::Table& table, long long key, size_t i) {
    if (forms_.at(i).empty()) {
        return true;
    }
    if (!sets_.at(i)) {
        scanFor(i);
    }
    if (unsure_.contains(key) || !seenKeys_.contains(key)) {
        return rtf_.contains(table, key, i);
    }
    return sets_[i]->holding.contains(key);
}

std::optional<std::unordered_map<long long, bool>> PlainTextScan::verdicts(
    const std::unordered_map<long long, std::vector<bool>>& masks, Monitor* monitor) {
    std::vector<FoldedFinder> finders;
    for (const std::string& f : forms_) {
        finders.emplace_back(f);
    }
    std::unordered_map<long long, bool> result;
    result.reserve(masks.size());
    bool usable = true;
    std::optional<Pacer> pace;
    if (monitor != nullptr) {
        pace.emplace(*monitor);
    }
    long long visited = 0;
    textCopy(db_, table_).scan([&](const engine::TextCopyEntry& e) {
        if (pace && ++visited % 64 == 0) {
            pace->pump();
        }
        if (!e.key) {
            return true;
        }
        const auto mask = masks.find(*e.key);
        if (mask == masks.end()) {
            return true;
        }
        if (!e.text || result.contains(*e.key)) {
            usable = false;  // unknown, or a key of several rows
            return false;
        }
        bool holds = true;
        for (size_t i = 0; i < finders.size() && holds; ++i) {
            holds = !mask->second[i] || finders[i].occursIn(*e.text);
        }
        result.emplace(*e.key, holds);
        return true;
    });
    if (!usable || result.size() != masks.size()) {
        return std::nullopt;
    }
    return result;
}

// --- the index --------------------------------------------------------------

IndexedTextScan::IndexedTextScan(std::shared_ptr<const TextIndex> index,
                                 std::unique_ptr<TextFinder> fallback)
    : index_(std::move(index)), fallback_(std::move(fallback)) {}

void IndexedTextScan::begin(const std::vector<std::string>& forms) {
    fallback_->begin(forms);
    forms_.clear();
    sets_.clear();
    for (const std::string& f : forms) {
        forms_.push_back(foldAZ(f));
        if (TextIndex::answers(forms_.back())) {
            sets_.push_back(index_->documentsWith(forms_.back()));
        } else {
            sets_.emplace_back();
        }
    }
}

bool IndexedTextScan::contains(engine::Table& table, long long key, size_t i) {
    const std::optional<DocumentSet>& set = sets_.at(i);
    if (!set) {
        return fallback_->contains(table, key, i);
    }
    if (table.isEmpty()) {
        return false;  // no text; the word is not empty
    }
    const std::optional<std::uint32_t> document = index_->document(key);
    if (!document) {
        return fallback_->contains(table, key, i);
    }
    return hasDocument(*set, *document);
}

const DocumentSet* IndexedTextScan::documentsWith(size_t i) const {
    const std::optional<DocumentSet>& set = sets_.at(i);
    return set ? &*set : nullptr;
}

std::unique_ptr<TextFinder> plainTextFinder(engine::Database& db, TextTable table) {
    if (textCopyUsable(db, table)) {
        return std::make_unique<PlainTextScan>(db, table);
    }
    return std::make_unique<RtfTextScan>();
}

std::unique_ptr<TextFinder> textFinder(engine::Database& db, TextTable table) {
    if (auto index = TextIndex::current(db, table)) {
        return std::make_unique<IndexedTextScan>(std::move(index), plainTextFinder(db, table));
    }
    return plainTextFinder(db, table);
}

}  // namespace search
