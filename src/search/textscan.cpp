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

}  // namespace search
