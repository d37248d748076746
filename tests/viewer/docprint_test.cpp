// Printing from the document window and the notes window: the printer check,
// the setup dialog, the header in the shown script, the preview and its PDF.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

#include "database/datasets.h"
#include "database/opening.h"
#include "links_db.h"
#include "open_doc.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "printing/tpreviewprinter.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tform3.h"
#include "viewer/tform5.h"

namespace {

using testsupport::scriptedUi;

// The page's text item that reads text; nullptr when there is none.
const printing::TextItem* findText(const printing::RecordedPage& page, const QString& text) {
    for (const auto& item : page.texts) {
        if (item.text == text) {
            return &item;
        }
    }
    return nullptr;
}

std::string pdfText(const std::filesystem::path& pdf) {
    std::string out;
    if (FILE* pipe = popen(("pdftotext -enc UTF-8 '" + pdf.string() + "' -").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            out.append(buffer, n);
        }
        pclose(pipe);
    }
    return out;
}

class DocumentPrint : public ::testing::Test {
  protected:
    void SetUp() override {
        data.openAll();
        form = std::make_unique<TForm3>(db.session, data);
        notes = std::make_unique<TForm5>(data.DataSource2);
        // As the program entry wires them.
        form->links.showNotes = [this] { platform::ui().showModal(*notes); };
        notes->links.previewPrinter = [this] { return &form->PreviewPrinter1(); };
        scriptedUi().printerName = "Laser";
    }
    void TearDown() override {
        notes.reset();
        form.reset();
    }

    void openRegulation(const std::function<void()>& body) {
        testsupport::openInDocumentWindow(data, *form, "Zakon o radu", "12/2005", body);
    }

    // The setup dialog is confirmed and the preview shown; body runs in it.
    void expectPreview(const std::function<void(QDialog&)>& body = {}) {
        scriptedUi().expectPrinterSetup(true);
        scriptedUi().expectModal([body](QDialog& preview) {
            EXPECT_EQ(preview.objectName(), QStringLiteral("PreviewForm"));
            if (body) {
                body(preview);
            }
            return 0;
        });
    }

    // Clicks the notes window's "[tam&pa" while it is shown.
    void printNotes(const std::function<void(QDialog&)>& body = {}) {
        scriptedUi().expectModal([&](QDialog& dialog) {
            EXPECT_EQ(&dialog, notes.get());
            expectPreview(body);
            testsupport::child<QToolButton>(notes.get(), "SpeedButton1")->click();
            return 0;
        });
        testsupport::child<QToolButton>(form.get(), "SpeedButton4")->click();
    }

    const printing::TTextOptions& options() const { return form->PreviewPrinter1().TextOptions; }
    const printing::RecordedPage& firstPage() const {
        return form->PreviewPrinter1().Pages()->pages().at(0);
    }

    testsupport::LinksDatabase db;
    database::MainData data{db.session};
    std::unique_ptr<TForm3> form;
    std::unique_ptr<TForm5> notes;
};

TEST_F(DocumentPrint, ChecksThePrinterAndPrintsTheHeaderInTheShownScript) {
    auto& ui = scriptedUi();
    openRegulation([&] {
        auto* print = testsupport::child<QToolButton>(form.get(), "SpeedButton6");
        ui.printerName.clear();
        ui.expectMessage("Printer nije detektovan");
        print->click();
        ui.printerName = "Laser";
        ui.expectPrinterSetup(false);
        print->click();
        EXPECT_EQ(form->PreviewPrinter1().PageCount(), 0);

        expectPreview([](QDialog& preview) {
            EXPECT_EQ(testsupport::child<QLabel>(&preview, "CurPageLabel")->text(),
                      QStringLiteral("Strana 1 od 1"));
        });
        print->click();
        EXPECT_NE(findText(firstPage(), QStringLiteral("TREVION")), nullptr);
        EXPECT_NE(findText(firstPage(), QStringLiteral("Strana 1")), nullptr);
        EXPECT_EQ(options().HeaderFont, (printing::TFont{"YHelvetica", 8}));
        EXPECT_EQ(options().PageNumFont.Name, "YHelvetica");

        // " &Stampaj" in Cyrillic: the header in Cyrillic letters and face.
        testsupport::child<QToolButton>(form.get(), "SpeedButton5")->click();
        expectPreview();
        testsupport::child<QAction>(form.get(), "Stampaj1")->trigger();
        EXPECT_NE(findText(firstPage(), QStringLiteral("ТРЕВИОН")), nullptr);
        EXPECT_NE(findText(firstPage(), QStringLiteral("Страна 1")), nullptr);
        EXPECT_EQ(options().HeaderFont.Name, "CHelvetica");

        // The notes print with the header the last document print left.
        printNotes();
        EXPECT_NE(findText(firstPage(), QStringLiteral("ТРЕВИОН")), nullptr);
        EXPECT_EQ(options().HeaderFont.Name, "CHelvetica");
        EXPECT_TRUE(form->PreviewPrinter1().Pages()->pageText(0).front().startsWith(
            QStringLiteral("Napomena uz zakon o radu.")));
    });
}

TEST_F(DocumentPrint, NotesBeforeAnyDocumentPrintCarryTheInitialHeader) {
    auto& ui = scriptedUi();
    openRegulation([&] {
        scriptedUi().expectModal([&](QDialog&) {
            ui.printerName.clear();
            ui.expectMessage("Printer nije detektovan");
            testsupport::child<QToolButton>(notes.get(), "SpeedButton1")->click();
            ui.printerName = "Laser";
            ui.expectPrinterSetup(false);
            testsupport::child<QToolButton>(notes.get(), "SpeedButton1")->click();
            return 0;
        });
        testsupport::child<QToolButton>(form.get(), "SpeedButton4")->click();
        EXPECT_EQ(form->PreviewPrinter1().PageCount(), 0);

        printNotes();
        EXPECT_NE(findText(firstPage(), QString::fromUtf8("TREVION, Izdavačka kuća Korvet")),
                  nullptr);
        EXPECT_NE(findText(firstPage(), QStringLiteral("Strana 1")), nullptr);
        EXPECT_EQ(options().HeaderFont.Name, "YHelvetica");
        EXPECT_EQ(options().PageNumFont,
                  (printing::TFont{"Times New Roman", 10, Qt::black, false, true}));
    });
}

TEST_F(DocumentPrint, ThePreviewSavesTheDocumentAsPdfInSerbianLetters) {
    const auto pdf = db.dir / "zakon.pdf";
    openRegulation([&] {
        expectPreview([&](QDialog& preview) {
            scriptedUi().expectSaveFile(pdf.string());
            testsupport::child<QPushButton>(&preview, "PdfBut")->click();
        });
        testsupport::child<QToolButton>(form.get(), "SpeedButton6")->click();
    });
    const std::string text = pdfText(pdf);
    const auto header = text.find("TREVION");
    const auto body = text.find("Član 1. Zakon o radu");
    const auto number = text.find("Strana 1");
    ASSERT_NE(header, std::string::npos) << text;
    ASSERT_NE(body, std::string::npos) << text;
    ASSERT_NE(number, std::string::npos) << text;
    EXPECT_LT(header, body);
    EXPECT_LT(body, number);
}

}  // namespace
