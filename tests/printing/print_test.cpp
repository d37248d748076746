// Printing through the seam: the print dialog's range and copies, one job
// per copy; the printer check of the print commands.
#include <gtest/gtest.h>

#include "print_fixture.h"
#include "printing/tpreviewprinter.h"
#include "support/scripted_ui.h"

namespace {

using testsupport::scriptedUi;

struct PrintCase {
    const char* name;
    platform::PrintChoice choice;
    std::vector<std::vector<int>> jobs;
};

TEST(Print, ChosenPagesPrintOnceForEveryCopyEachAsAJob) {
    const PrintCase cases[] = {
        {"pages 2 to 3, two copies", {true, 2, 3, 2}, {{2, 3}, {2, 3}}},
        {"all pages", {false, 1, 5, 1}, {{1, 2, 3, 4, 5}}},
        {"a range past the end", {true, 4, 9, 1}, {{4, 5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        scriptedUi().reset();
        printing::TPreviewPrinter printer(printing::mainWindowSettings());
        printer.PrintRichEdit(*printtest::pagedDocument(5));
        ASSERT_EQ(printer.PageCount(), 5);
        scriptedUi().expectPrintDialog(c.choice);
        EXPECT_TRUE(printer.Print());
        ASSERT_EQ(scriptedUi().printJobs.size(), c.jobs.size());
        for (size_t i = 0; i < c.jobs.size(); ++i) {
            EXPECT_EQ(scriptedUi().printJobs[i].pages, c.jobs[i]);
            EXPECT_TRUE(scriptedUi().printJobs[i].finished);
            EXPECT_EQ(scriptedUi().printJobs[i].title, "");
        }
        EXPECT_EQ(scriptedUi().shown().back().text, "1-5");
    }
}

TEST(Print, CancelledDialogPrintsNothing) {
    printing::TPreviewPrinter printer(printing::mainWindowSettings());
    printer.PrintRichEdit(*printtest::pagedDocument(2));
    scriptedUi().expectPrintDialog(false);
    EXPECT_FALSE(printer.Print());
    EXPECT_TRUE(scriptedUi().printJobs.empty());
}

TEST(Print, PrintRangeDrawsEachPageAndReportsStatus) {
    printing::TPreviewPrinter printer(printing::mainWindowSettings());
    printer.PrintRichEdit(*printtest::pagedDocument(3));
    std::vector<std::string> status;
    printer.OnStatus = [&](const std::string& text) { status.push_back(text); };
    printer.PrintRange(1, 2);
    ASSERT_EQ(scriptedUi().printJobs.size(), 1u);
    const auto& job = scriptedUi().printJobs[0];
    EXPECT_EQ(job.pages, (std::vector<int>{2, 3}));
    EXPECT_FALSE(job.pictures[0]->isNull());  // something was drawn
    EXPECT_EQ(status, (std::vector<std::string>{"Printing page 2", "Printing page 3",
                                                "Print Job Complete"}));
}

TEST(PrinterCheck, NoDefaultPrinterShowsTheMessageAndStops) {
    scriptedUi().printerName.clear();
    scriptedUi().expectMessage("Printer nije detektovan");
    EXPECT_FALSE(printing::printerReady());
}

TEST(PrinterCheck, WithAPrinterTheSetupDialogDecides) {
    scriptedUi().expectPrinterSetup(false);
    EXPECT_FALSE(printing::printerReady());
    scriptedUi().expectPrinterSetup(true);
    EXPECT_TRUE(printing::printerReady());
}

}  // namespace
