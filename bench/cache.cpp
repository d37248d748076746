#include "cache.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "platform/programdir.h"
#include "process.h"
#include "richtext/plaintext.h"

namespace bench {

namespace fs = std::filesystem;

namespace {

// Written last; an entry without it (or with another text) is made again.
constexpr const char* kStampName = "ready";
constexpr const char* kStamp =
    "korvet-bench cache 6\n";  // 4: realistic words; 5: tables; 6: amended chains

constexpr const char* kExportAlias = "KorvetBenchExport";

bool isReady(const fs::path& dir) {
    std::ifstream in(dir / kStampName, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text == kStamp;
}

void generate(const fs::path& dir, const Size& size) {
    const fs::path cli = platform::executableDir() / "korvet-cli";
    const ProcessResult r = runProgram(
        {cli.string(), "generate", "--regulations", std::to_string(size.regulations), "--opinions",
         std::to_string(size.opinions), "--text-kb", std::to_string(size.textKb), dir.string()});
    if (r.exitCode != 0) {
        throw std::runtime_error("korvet-cli generate failed (" + cli.string() + ")");
    }
}

// One file per regulation, named by its ID_ZAKONA: the plain text of its
// Latin text, as the searches see it. Read row by row, so that memory stays
// flat.
void exportTexts(const fs::path& programDir, const fs::path& texts) {
    fs::create_directories(texts);
    engine::Session session;
    session.addStandardAlias(kExportAlias, (programDir / "Podatci").string(), "Paradox");
    session.addPassword(database::kMasterPassword);
    session.open();
    {
        engine::Table zakoni(session, "export");
        zakoni.setDatabaseName(kExportAlias);
        zakoni.setTableName(database::kZakoni);
        zakoni.setReadOnly(true);
        zakoni.open();
        const int id = zakoni.fieldByName("ID_ZAKONA").index();
        const int latin = zakoni.fieldByName("Latinica").index();
        std::string plain;
        for (zakoni.first(); !zakoni.eof(); zakoni.next()) {
            plain.clear();
            rtf::appendPlainText(zakoni.field(latin).asString(), plain);
            std::ofstream out(texts / (zakoni.field(id).asString() + ".txt"), std::ios::binary);
            out.write(plain.data(), static_cast<std::streamsize>(plain.size()));
            if (!out) {
                throw std::runtime_error("cannot write the texts in " + texts.string());
            }
        }
        zakoni.close();
    }
    session.close();
}

}  // namespace

std::string cacheName(const Size& size) {
    return "r" + std::to_string(size.regulations) + "-o" + std::to_string(size.opinions) + "-k" +
           std::to_string(size.textKb);
}

CacheEntry prepareCache(const fs::path& cacheRoot, const Size& size) {
    CacheEntry entry;
    const fs::path dir = cacheRoot / cacheName(size);
    entry.programDir = dir / "program";
    entry.texts = dir / "texts";
    if (isReady(dir)) {
        entry.reused = true;
        return entry;
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    fs::create_directories(dir);
    generate(entry.programDir, size);
    exportTexts(entry.programDir, entry.texts);
    std::ofstream(dir / kStampName, std::ios::binary) << kStamp;
    return entry;
}

}  // namespace bench
