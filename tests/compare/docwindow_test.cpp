// The document window's additions as a user meets them: references in the
// text drawn as links that jump to the article or open the regulation of a
// gazette issue (with a choice when the issue holds several), and
// "Uporedi verzije" in the "&Tekst" menu for a regulation with versions.
#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "dbviews/dbrichedit.h"
#include "open_doc.h"
#include "platform/textconv.h"
#include "search_db.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tform3.h"

namespace {

using testsupport::child;
using testsupport::scriptedUi;

const std::string kText =
    "ZAKON O RADU\n"
    "^lan 1.\n"
    "Na prava iz ~lana 2. primenjuje se zakon (\"Sl. glasnik RS\", br. 24/2005 i 7/2006).\n"
    "Prema ~lanu 9. i \"Slu`beni glasnik RS\", br. 99/2005.\n"
    "^lan 2.\n"
    "Zarada se pla}a mese~no.\n";

class DocumentLinks : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Slu`beni glasnik RS");
        db.regulation(
            {.id = 1, .year = "2009", .issue = "3", .title = "Zakon o radu", .text = kText});
        db.regulation({.id = 2,
                       .year = "2005",
                       .issue = "24",
                       .title = "Zakon o PDV",
                       .text = "^lan 1.\nPDV.\n"});
        db.regulation({.id = 3,
                       .year = "2006",
                       .issue = "7",
                       .title = "Uredba o porezu",
                       .text = "^lan 1.\nA.\n"});
        db.regulation({.id = 4,
                       .year = "2006",
                       .issue = "7",
                       .title = "Pravilnik o porezu",
                       .text = "^lan 1.\nB.\n"});
        db.regulation({.id = 5,
                       .year = "2001",
                       .issue = "1",
                       .title = "Zakon o radu",
                       .text = "^lan 1.\nStari.\n"});
        db.archive(5, 0, 1);
        db.archive(1, 5, 0);
        form = std::make_unique<TForm3>(db.session(), db.data());
        form->resize(900, 600);
        QObject::connect(form.get(), &TForm3::regulationRequested,
                         [this](const std::string& title, const std::string& bg) {
                             requested.push_back(title + " " + bg);
                         });
    }
    void TearDown() override { form.reset(); }

    dbviews::DBRichEdit* view() const {
        return child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1");
    }
    QTextCharFormat formatAt(const std::string& words) const {
        QTextCursor c = view()->document()->find(platform::qs(words));
        EXPECT_FALSE(c.isNull()) << words;
        return c.charFormat();
    }
    // A click on the words, where the user sees them.
    void clickWords(const std::string& words) {
        form->show();
        QTextCursor c = view()->document()->find(platform::qs(words));
        ASSERT_FALSE(c.isNull()) << words;
        c.setPosition(c.selectionStart() + 1);
        view()->setTextCursor(c);
        view()->ensureCursorVisible();
        const QPointF at = view()->cursorRect(c).center();
        testsupport::clickOn(view()->viewport(), at);
    }
    void open(const std::function<void()>& body) {
        testsupport::openInDocumentWindow(db.data(), *form, "Zakon o radu", "3/2009", body);
    }

    searchtest::SearchDb db;
    std::unique_ptr<TForm3> form;
    std::vector<std::string> requested;
};

TEST_F(DocumentLinks, ReferencesBecomeLinksWithTheirTargetAsHint) {
    open([&] {
        const QTextCharFormat article = formatAt("~lana 2");
        EXPECT_TRUE(article.isAnchor());
        EXPECT_EQ(platform::ys(article.toolTip()), "^lan 2.");
        EXPECT_TRUE(article.fontUnderline());
        // An article the text does not have stays plain.
        EXPECT_FALSE(formatAt("~lanu 9").isAnchor());
        // One issue with one regulation, one with two, one not in the database.
        const QTextCharFormat one = formatAt("24/2005");
        EXPECT_TRUE(one.isAnchor());
        EXPECT_EQ(platform::ys(one.toolTip()), "Zakon o PDV (24/2005)");
        EXPECT_TRUE(formatAt("7/2006").isAnchor());
        EXPECT_EQ(platform::ys(formatAt("7/2006").toolTip()),
                  "Propisi u broju 7/2006:\nUredba o porezu\nPravilnik o porezu");
        EXPECT_FALSE(formatAt("99/2005").isAnchor());
        // The heading line itself is no link.
        EXPECT_FALSE(formatAt("^lan 2.").isAnchor());
    });
}

TEST_F(DocumentLinks, ArticleLinkJumpsToTheArticle) {
    open([&] {
        clickWords("~lana 2");
        EXPECT_EQ(platform::ys(view()->textCursor().block().text()), "^lan 2.");
        EXPECT_TRUE(requested.empty());
    });
}

TEST_F(DocumentLinks, IssueLinkOpensItsRegulationWithAChoiceForSeveral) {
    open([&] {
        clickWords("24/2005");
        EXPECT_EQ(requested, (std::vector<std::string>{"Zakon o PDV 24/2005"}));
    });
    open([&] {
        scriptedUi().expectModal([](QDialog& choice) {
            EXPECT_EQ(choice.objectName(), QStringLiteral("IzborPropisa"));
            auto* list = child<QListWidget>(&choice, "ListBoxIzbor");
            EXPECT_EQ(list->count(), 2);
            list->setCurrentRow(1);
            return int(QDialog::Accepted);
        });
        clickWords("7/2006");
    });
    EXPECT_EQ(requested.back(), "Pravilnik o porezu 7/2006");
    // A cancelled choice opens nothing.
    open([&] {
        scriptedUi().expectModal([](QDialog&) { return int(QDialog::Rejected); });
        clickWords("7/2006");
    });
    EXPECT_EQ(requested.size(), 2u);
}

TEST_F(DocumentLinks, CompareCommandForARegulationWithVersions) {
    std::vector<long long> compared;
    form->links.compareVersions = [&](long long id) { compared.push_back(id); };
    open([&] {
        auto* command = child<QAction>(form.get(), "Uporediverzije1");
        EXPECT_TRUE(command->isEnabled());
        command->trigger();
    });
    EXPECT_EQ(compared, (std::vector<long long>{1}));
    testsupport::openInDocumentWindow(db.data(), *form, "Zakon o PDV", "24/2005", [&] {
        EXPECT_FALSE(child<QAction>(form.get(), "Uporediverzije1")->isEnabled());
    });
}

}  // namespace
