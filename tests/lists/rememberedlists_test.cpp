// The remembered lists: limits, de-duplication, the quick-open ceiling, the
// history entry and loading the files.
#include "lists/rememberedlists.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_program_dir.h"

namespace {

using lists::MarkResult;
using lists::RememberedLists;
using Lines = std::vector<std::string>;

TEST(RecentList, AtTheLimitTheOldestGoesAndAKnownTitleStays) {
    RememberedLists l;
    for (const char* t : {"A", "B", "C"}) {
        EXPECT_TRUE(l.addRecent(t, 3));
    }
    EXPECT_TRUE(l.addRecent("D", 3));
    EXPECT_EQ(l.recent, (Lines{"B", "C", "D"}));
    EXPECT_FALSE(l.addRecent("B", 3));
    EXPECT_EQ(l.recent, (Lines{"B", "C", "D"}));
}

TEST(RecentList, DuplicatesAreFoundWithoutRegardToCaseYusciiLettersIncluded) {
    RememberedLists l;
    l.addRecent("Zakon o porezu na dobit", 12);
    l.addRecent("Zakon o ra~unovodstvu", 12);
    EXPECT_FALSE(l.addRecent("ZAKON O POREZU NA DOBIT", 12));
    EXPECT_FALSE(l.addRecent("ZAKON O RA^UNOVODSTVU", 12));
    EXPECT_EQ(l.recent.size(), 2u);
}

TEST(RecentList, ALongerLoadedListShrinksOneEntryPerAddition) {
    RememberedLists l;
    l.recent = {"A", "B", "C", "D", "E"};
    l.addRecent("F", 2);
    EXPECT_EQ(l.recent, (Lines{"B", "C", "D", "E", "F"}));
}

TEST(History, KeepsRepeatsAndDropsTheOldestAtTheLimit) {
    RememberedLists l;
    l.addHistory("one", 2);
    l.addHistory("one", 2);
    EXPECT_EQ(l.history, (Lines{"one", "one"}));
    l.addHistory("two", 2);
    EXPECT_EQ(l.history, (Lines{"one", "two"}));
}

TEST(History, EntryQuotesTheTextAndAddsTheSummary) {
    EXPECT_EQ(lists::historyEntry("POREZ", lists::searchSummary(false, 12)),
              "'POREZ' - po naslovima (nadjeno 12 propisa)");
    EXPECT_EQ(lists::historyEntry("O'NEIL", lists::searchSummary(true, 0)),
              "'O''NEIL' - po naslovima i tekstovima (nadjeno 0 propisa)");
    EXPECT_EQ(lists::historyEntry("  ", "x"), "'  ' - x");
}

TEST(QuickOpen, MarksOnceAndRefusesANinthTitle) {
    RememberedLists l;
    EXPECT_EQ(l.markQuickOpen("T1"), MarkResult::Added);
    EXPECT_EQ(l.markQuickOpen("T1"), MarkResult::AlreadyThere);
    // Exact comparison: another case is another title.
    EXPECT_EQ(l.markQuickOpen("t1"), MarkResult::Added);
    for (int i = 2; i <= 7; ++i) {
        EXPECT_EQ(l.markQuickOpen("T" + std::to_string(i)), MarkResult::Added);
    }
    EXPECT_EQ(l.quick.size(), 8u);
    EXPECT_EQ(l.markQuickOpen("T9"), MarkResult::Full);
    EXPECT_EQ(l.markQuickOpen("T1"), MarkResult::Full);  // full comes first
    EXPECT_EQ(l.quick.size(), 8u);
}

TEST(QuickOpen, MenuTextsMirrorTheList) {
    EXPECT_EQ(lists::quickMenuTexts({"A", "B"}), (Lines{"Oznaceni propisi", "-", "A", "B"}));
    EXPECT_EQ(lists::quickMenuTexts({}), (Lines{"Oznaceni propisi", "-"}));
}

TEST(ListFiles, LoadKeepsEveryLineAndMissingFilesGiveEmptyLists) {
    testsupport::TempProgramDir dir(false);
    ASSERT_TRUE(platform::writeFileAtomic(dir / "cesti.ini", "A\r\nB\r\nC\r\n"));
    ASSERT_TRUE(platform::writeFileAtomic(dir / "novo.lst", "N1\r\n\r\nN3"));
    std::filesystem::create_directory(dir / "brzi.ini");  // a folder is no list
    RememberedLists l;
    l.history = {"stale"};
    l.load(dir.path());
    EXPECT_EQ(l.recent, (Lines{"A", "B", "C"}));
    EXPECT_EQ(l.newest, (Lines{"N1", "", "N3"}));
    EXPECT_TRUE(l.history.empty());
    EXPECT_TRUE(l.quick.empty());
}

}  // namespace
