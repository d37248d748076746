// The print rows: the layout of the largest regulation into pages, and the
// command-line PDF of it as a whole process.
#include <QFont>
#include <chrono>
#include <cstdio>
#include <string>

#include "database/filters.h"
#include "database/schema.h"
#include "engine/table.h"
#include "fonts/fonts.h"
#include "operations.h"
#include "platform/programdir.h"
#include "printing/pageprinter.h"
#include "process.h"
#include "richtext/reader.h"
#include "search/keep.h"

namespace bench {

namespace fs = std::filesystem;

std::vector<Operation> printingOperations(const fs::path& programDir, OpenDatabase& db) {
    const Largest largest = largestRegulation(db.data());
    std::string rtf;
    {
        engine::Table& look = db.data().lookzakoni;
        search::KeepDataset keep(look);
        look.setFilter(database::filters::zakoniById(largest.id));
        look.setFiltered(true);
        look.first();
        rtf = look.fieldByName("Latinica").asString();
        keep.restore();
    }

    std::vector<Operation> ops;
    ops.push_back({"print layout of the largest (pages)", [rtf] {
                       auto doc = richtext::read(rtf);
                       QFont font(QString::fromLatin1(fonts::kLatinFace));
                       font.setPointSize(10);
                       doc->setDefaultFont(font);
                       printing::PagePrinter printer(
                           printing::documentWindowSettings(fonts::kLatinFace, "TREVION"));
                       printing::useDocumentHeader(printer.TextOptions, fonts::kLatinFace);
                       const auto start = std::chrono::steady_clock::now();
                       printer.PrintRichEdit(*doc);
                       const std::chrono::duration<double, std::milli> took =
                           std::chrono::steady_clock::now() - start;
                       return Sample{printer.PageCount(), took.count()};
                   }});

    const fs::path out = fs::temp_directory_path() / "korvet-bench-largest.pdf";
    ops.push_back({"korvet-cli pdf of the largest (process)",
                   [programDir, out, id = largest.id] {
                       const ProcessResult r = runProgram(
                           {(platform::executableDir() / "korvet-cli").string(), "pdf",
                            programDir.string(), "--regulation", std::to_string(id), out.string()});
                       if (r.exitCode != 0) {
                           throw std::runtime_error("korvet-cli pdf failed");
                       }
                       return Sample{std::atoll(r.output.c_str())};
                   },
                   {},
                   {},
                   [out] { fs::remove(out); }});
    return ops;
}

}  // namespace bench
