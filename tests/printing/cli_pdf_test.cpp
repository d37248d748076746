// korvet-cli pdf: a document of the demo database as the document window
// prints it, read back with pdftotext.
#include <gtest/gtest.h>

#include <cstdlib>

#include "print_fixture.h"
#include "support/temp_program_dir.h"

namespace {

struct CliCase {
    const char* name;
    const char* options;
    std::vector<std::string> inOrder;
};

TEST(CliPdf, WritesTheDocumentWithHeaderAndPageNumbers) {
    const CliCase cases[] = {
        {"Latin regulation",
         "--regulation 1",
         {"TREVION", "ZAKON", "Član 1.", "Preduzeće", "Strana 1"}},
        {"Cyrillic regulation",
         "--regulation 1 --cyrillic",
         {"ТРЕВИОН", "ЗАКОН", "Члан 1.", "Предузеће", "Страна 1"}},
    };
    const auto dir = printtest::tempFolder("cli");
    const auto program = testsupport::builtProgramDir();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto out = dir / "out.pdf";
        const std::string command = "'" + (program / "korvet-cli").string() + "' pdf '" +
                                    program.string() + "' " + c.options + " '" + out.string() +
                                    "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::string text = printtest::pdfText(out);
        printtest::expectInOrder(text, c.inOrder);
    }
    // A document that does not exist writes nothing.
    const std::string missing = "'" + (program / "korvet-cli").string() + "' pdf '" +
                                program.string() + "' --opinion 999999 '" +
                                (dir / "none.pdf").string() + "' >/dev/null 2>&1";
    EXPECT_NE(std::system(missing.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "none.pdf"));
    std::filesystem::remove_all(dir);
}

}  // namespace
