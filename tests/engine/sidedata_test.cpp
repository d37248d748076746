// Side data: named values, and text copies kept by triggers through a
// registered text function, with their generation.
#include <gtest/gtest.h>

#include "engine/sidedata.h"
#include "engine/tableutil.h"
#include "engine_fixture.h"

namespace enginetest {
namespace {

using Texts = std::vector<std::optional<std::string>>;

// Upper case of the stored bytes: enough to see the copy is derived.
void upper(std::string_view stored, std::string& text) {
    for (char c : stored) {
        text += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
}
const bool kRegistered = (engine::registerTextFunction("test_upper", &upper), true);

class SideDataTest : public EngineTest {
  protected:
    SideDataTest() { fillSampleData(db()); }

    engine::TextCopy copy(const char* function = "test_upper") {
        (void)kRegistered;
        return engine::TextCopy(db(), {"zakoni", "TB_Zakoni", "ID_ZAKONA", "Latinica", function});
    }

    // key: text of every copy, in storage order.
    std::vector<std::string> scanned() {
        std::vector<std::string> out;
        copy().scan([&](const engine::TextCopyEntry& e) {
            out.push_back(std::to_string(e.key.value_or(-1)) + ":" +
                          (e.text ? std::string(*e.text) : "?"));
            return true;
        });
        return out;
    }
};

TEST_F(SideDataTest, ValuesAreKeptAndCountAsNoTableWrite) {
    EXPECT_EQ(engine::sideValue(db(), "a"), std::nullopt);
    const auto before = db().changeCount();
    engine::setSideValue(db(), "a", std::string("x\0y", 3));
    engine::setSideValue(db(), "a", "z");
    EXPECT_EQ(engine::sideValue(db(), "a"), "z");
    EXPECT_EQ(db().changeCount(), before);
    EXPECT_FALSE(db().hasTable("korvet_side_values"));
}

TEST_F(SideDataTest, TriggersKeepTheCopiesAndTheirGeneration) {
    EXPECT_EQ(copy().generation(), std::nullopt);
    ASSERT_TRUE(copy().refresh({}));
    EXPECT_EQ(scanned(),
              (std::vector<std::string>{"12:{\\RTF1 DVANAEST}", "13:", "14:", "15:", "16:"}));
    const long long g = *copy().generation();

    sql("UPDATE TB_Zakoni SET Napomena = CAST('n' AS BLOB) WHERE ID_ZAKONA = 13");  // not the text
    EXPECT_EQ(copy().generation(), g);
    sql("UPDATE TB_Zakoni SET Latinica = CAST('novo' AS BLOB) WHERE ID_ZAKONA = 13");
    sql("INSERT INTO TB_Zakoni (ID_ZAKONA, Latinica) VALUES (20, CAST('dva' AS BLOB))");
    sql("DELETE FROM TB_Zakoni WHERE ID_ZAKONA = 14");
    EXPECT_EQ(copy().generation(), g + 3);
    EXPECT_EQ(copy().textsOf(13), Texts{"NOVO"});
    EXPECT_EQ(copy().textsOf(14), Texts{});
    EXPECT_EQ(copy().textsOf(20), Texts{"DVA"});
    EXPECT_EQ(copy().count(), 5);
    EXPECT_FALSE(copy().hasUnknown());
}

TEST_F(SideDataTest, AMissingFunctionStoresUnknownTextsUntilFilled) {
    ASSERT_TRUE(copy("test_nowhere").refresh({}));
    EXPECT_TRUE(copy().hasUnknown());
    EXPECT_EQ(copy().textsOf(12), Texts{std::nullopt});
    ASSERT_TRUE(copy().refresh({}));  // the same copy, now with a function this process has
    EXPECT_FALSE(copy().hasUnknown());
    EXPECT_EQ(copy().textsOf(12), Texts{"{\\RTF1 DVANAEST}"});
}

TEST_F(SideDataTest, ATableMadeAgainLosesItsCopyUntilRefreshed) {
    ASSERT_TRUE(copy().refresh({}));
    sql("ALTER TABLE TB_Zakoni ADD COLUMN Visak TEXT");  // laid out afresh by the rebuild
    engine::rebuildTable(db(), "TB_Zakoni");
    EXPECT_EQ(copy().generation(), std::nullopt);
    sql("DELETE FROM TB_Zakoni WHERE ID_ZAKONA = 12");  // unseen: no triggers
    ASSERT_TRUE(copy().refresh({}));
    EXPECT_EQ(copy().textsOf(12), Texts{});
    EXPECT_EQ(copy().count(), 4);
}

TEST_F(SideDataTest, ARefreshCanBeStoppedAndScansGoInSteps) {
    int calls = 0;
    EXPECT_FALSE(copy().refresh(
        [&](long long done, long long total) {
            EXPECT_EQ(total, 5);
            EXPECT_EQ(done, 2);
            ++calls;
            return false;
        },
        2));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(copy().generation(), std::nullopt);
    ASSERT_TRUE(copy().refresh({}, 2));
    std::vector<long long> keys;
    long long after = 0;
    for (;;) {
        const long long last = copy().scan(
            [&](const engine::TextCopyEntry& e) {
                keys.push_back(*e.key);
                return true;
            },
            after, 2);
        if (last == after) {
            break;
        }
        after = last;
    }
    EXPECT_EQ(keys, (std::vector<long long>{12, 13, 14, 15, 16}));
    EXPECT_THROW(engine::TextCopy(db(), {"bad name", "TB_Zakoni", "ID_ZAKONA", "Latinica", "f"}),
                 engine::Error);
}

}  // namespace
}  // namespace enginetest
