// korvet-demo SRC_DIR PROGRAM_DIR: builds PROGRAM_DIR/Podatci/zakoni.sqlite
// from the demo sources in SRC_DIR.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "demo/db_writer.h"
#include "demo/sources.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvet-demo SRC_DIR PROGRAM_DIR\n");
        return 2;
    }
    const std::filesystem::path source = argv[1];
    const std::filesystem::path program = argv[2];
    try {
        const demo::DemoData data = demo::loadSources(source);
        demo::writeDatabase(data, program / "Podatci");
        std::printf("korvet-demo: %zu regulations, %zu opinions, %zu contracts\n",
                    data.regulations.size(), data.opinions.size(), data.contracts.size());
        return 0;
    } catch (const demo::SourceErrors& e) {
        for (const std::string& problem : e.problems()) {
            std::fprintf(stderr, "%s\n", (source / problem).string().c_str());
        }
        std::fprintf(stderr, "korvet-demo: %zu problem(s) in the demo sources\n",
                     e.problems().size());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvet-demo: %s\n", e.what());
    }
    return 1;
}
