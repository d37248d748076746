// libFuzzer target: the filter parser and compiler on arbitrary text. Any
// failure must be a FilterError with a position inside the text (or at its
// end); a compiled condition binds exactly one value per parameter mark.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/filter.h"

namespace {

const engine::TableDef& table() {
    using engine::FieldType;
    static const engine::TableDef def{"TB_Zakoni",
                                      {{"ID_ZAKONA", FieldType::Number, 0},
                                       {"Naziv_zakona", FieldType::String, 240},
                                       {"BG", FieldType::String, 20},
                                       {"Latinica", FieldType::Memo, 0},
                                       {"S1", FieldType::Graphic, 0}},
                                      {"ID_ZAKONA"},
                                      {{"naziv", {"Naziv_zakona"}, false, true}}};
    return def;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const auto tree = engine::detail::parseFilter(text);
        if (!tree) {
            return 0;
        }
        for (bool caseInsensitive : {false, true}) {
            const auto condition = engine::detail::compileFilter(*tree, table(), caseInsensitive);
            size_t marks = 0;
            for (char c : condition.sql) {
                marks += c == '?';
            }
            if (marks != condition.params.size()) {
                std::abort();
            }
        }
    } catch (const engine::FilterError& e) {
        if (e.position() > text.size()) {
            std::abort();
        }
    }
    return 0;
}
