// korvet-cli pdf DIR (--regulation ID | --opinion NUMBER) [--cyrillic] OUT.pdf:
// a document printed as the document window prints it (its print settings,
// the header rule, the text face of the script, page numbers) into a PDF
// file, without a window. Prints the number of pages.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli_database.h"
#include "command.h"
#include "database/filters.h"
#include "engine/table.h"
#include "fonts/fonts.h"
#include "printing/pagepresets.h"
#include "printing/pageprinter.h"
#include "richtext/reader.h"

namespace {

int usageError() {
    std::fprintf(stderr,
                 "usage: korvet-cli pdf DIR (--regulation ID | --opinion NUMBER) [--cyrillic] "
                 "OUT.pdf\n");
    return 2;
}

std::optional<long long> number(const std::string& text) {
    try {
        size_t used = 0;
        long long value = std::stoll(text, &used);
        if (used == text.size() && value >= 0) {
            return value;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// The stored text of the document, nullopt when there is no such document.
std::optional<std::string> storedText(engine::Session& session, bool opinion, long long id,
                                      bool cyrillic) {
    engine::Table table(session);
    table.setDatabaseName(cli::kCliAlias);
    table.setTableName(opinion ? database::kMisljenja : database::kZakoni);
    table.open();
    table.setFilter(opinion ? "BROJ_MISLJENJA= " + database::filters::quote(id)
                            : database::filters::zakoniById(id));
    table.setFiltered(true);
    table.first();
    if (table.isEmpty()) {
        return std::nullopt;
    }
    return table.fieldByName(cyrillic ? "Cirilica" : "Latinica").asString();
}

int run(const std::vector<std::string>& args) {
    std::string dir;
    std::string out;
    std::optional<long long> id;
    bool opinion = false;
    bool cyrillic = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--regulation" || a == "--opinion") && i + 1 < args.size() && !id) {
            opinion = a == "--opinion";
            id = number(args[++i]);
            if (!id) {
                return usageError();
            }
        } else if (a == "--cyrillic") {
            cyrillic = true;
        } else if (dir.empty()) {
            dir = a;
        } else if (out.empty()) {
            out = a;
        } else {
            return usageError();
        }
    }
    if (dir.empty() || out.empty() || !id) {
        return usageError();
    }

    cli::ProgramDatabase program(dir, cli::Access::Read);
    auto text = storedText(program.session, opinion, *id, cyrillic);
    if (!text) {
        std::fprintf(stderr, "korvet-cli pdf: no %s %lld\n", opinion ? "opinion" : "regulation",
                     *id);
        return 1;
    }

    // Pages are laid out against the screen: no window is shown.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int argc = 1;
    char name[] = "korvet-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("Trevion"));

    const char* face = cyrillic ? fonts::kCyrillicFace : fonts::kLatinFace;
    printing::PagePrinter printer(printing::documentWindowSettings(fonts::kLatinFace, "TREVION"));
    printing::applyPagePresets(printer, "Trevion");
    printing::useDocumentHeader(printer.TextOptions, face);

    auto doc = richtext::read(*text);
    QFont font{QString::fromLatin1(face)};
    font.setPointSize(10);
    doc->setDefaultFont(font);
    printer.PrintRichEdit(*doc);
    if (!printer.SaveToPdf(out)) {
        std::fprintf(stderr, "korvet-cli pdf: cannot write '%s'\n", out.c_str());
        return 1;
    }
    std::printf("%d pages\n", printer.PageCount());
    return 0;
}

}  // namespace

KORVET_CLI_COMMAND("pdf", "pdf DIR (--regulation ID | --opinion NUMBER) [--cyrillic] OUT.pdf", run)
