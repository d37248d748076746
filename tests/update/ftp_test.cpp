// The update button's two clicks against a real FTP server: the listing,
// the names offered, the download run with its installation, the news, the
// log, and the failures.
#include <fstream>

#include "database/schema.h"
#include "support/run.h"
#include "update/controller.h"
#include "update/install.h"
#include "update_fixture.h"

namespace fs = std::filesystem;

namespace updatetest {
namespace {

class FtpTest : public ServedUpdateTest {
  protected:
    update::UpdateController& controller(const std::string& url) {
        update::FtpSettings ftp = settings(url);
        controller_ = std::make_unique<update::UpdateController>(session_, database::kAlias,
                                                                 program(), ftp, listener_);
        return *controller_;
    }
    static update::FtpSettings settings(const std::string& url) {
        setenv("KORVET_FTP_URL", url.c_str(), 1);
        update::FtpSettings s = update::defaultFtpSettings();
        unsetenv("KORVET_FTP_URL");
        return s;
    }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& r : listener_.rows) {
            out.push_back(r.name);
        }
        return out;
    }

    std::unique_ptr<update::UpdateController> controller_;
};

TEST_F(FtpTest, TwelveArchivesWithTheFirstElevenFetchedUnderOldNamesOfferOnlyTheTwelfth) {
    for (int n = 1; n <= 12; ++n) {
        char name[16];
        std::snprintf(name, sizeof name, "%03d.zip", n);
        serve(name);
        if (n <= 11) {
            local(std::to_string(n) + ".zip");
        }
    }
    FtpServer server(served_);
    auto& c = controller(server.url());
    EXPECT_TRUE(fs::exists(program() / "updates" / "001.zip"));
    EXPECT_TRUE(fs::exists(program() / "updates" / "011.zip"));
    EXPECT_FALSE(fs::exists(program() / "updates" / "1.zip"));
    c.click();
    EXPECT_EQ(names(), std::vector<std::string>{"012.zip"});
    EXPECT_EQ(c.state(), update::State::Ready);
    EXPECT_EQ(listener_.status, "Konekcija otvorena");
    EXPECT_EQ(log(), (std::vector<std::string>{
                         " LOG fajl otvoren", "", " Konektovanje...", "127.0.0.1",
                         " promena ftp direktorijuma...", " uspesna promena ftp direktorijuma",
                         " izlistavanje ftp-a...", " uspesno izlistavanje ftp-a",
                         " azuriranje omoguceno", " LOG fajl zatvoren"}));
}

TEST_F(FtpTest, ListingMatchesNamesIgnoringCaseAndKeepsLocalFilesTheServerDropped) {
    for (const char* name : {"001.ZIP", "002.zip", "003.txt", "004.dat", "005.zip.txt"}) {
        serve(name);
    }
    local("001.zip");
    local("000.zip");  // gone from the server
    FtpServer server(served_);
    auto& c = controller(server.url());
    c.click();
    EXPECT_EQ(names(), (std::vector<std::string>{"002.zip", "003.txt", "004.dat", "005.zip.txt"}));
    std::vector<update::RowIcon> icons;
    for (const auto& r : listener_.rows) {
        icons.push_back(r.icon);
        EXPECT_EQ(r.status, "Spremno");
    }
    EXPECT_EQ(icons, (std::vector<update::RowIcon>{update::RowIcon::Archive, update::RowIcon::News,
                                                   update::RowIcon::None, update::RowIcon::News}));
    const auto lines = log();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), " brisanje fajla"), 1);
    EXPECT_TRUE(fs::exists(program() / "updates" / "000.zip"));
}

TEST_F(FtpTest, NothingNewLeavesTheStateIdle) {
    serve("001.zip");
    local("001.zip");
    FtpServer server(served_);
    auto& c = controller(server.url());
    c.click();
    EXPECT_EQ(c.state(), update::State::Idle);
    EXPECT_EQ(listener_.messages,
              std::vector<std::string>{"Nema novijih datoteka za preuzimanje sa interneta!"});
    const auto lines = log();
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[lines.size() - 2], " Nema novijih datoteka za preuzimanje sa interneta!");
    EXPECT_EQ(lines.back(), " LOG fajl zatvoren");
    EXPECT_TRUE(listener_.button);
}

using FtpEachFormat = EachFormat<FtpTest>;
INSTANTIATE_TEST_SUITE_P(Formats, FtpEachFormat, kFormats, formatName);

TEST_P(FtpEachFormat, DownloadRunInstallsArchivesAndOffersNews) {
    serveArchive("001.zip", {table(database::kZakoni, {regulation(3, "Uredba", "Tekst.")})});
    serve("002.dat", "Nove vesti\r\n");
    FtpServer server(served_);
    auto& c = controller(server.url());
    c.click();
    listener_.answer = true;
    c.click();
    EXPECT_EQ(c.state(), update::State::Idle);
    EXPECT_EQ(listener_.statusTrail,
              (std::vector<std::string>{"001.zip: preuzima se...", "001.zip: instalira se...",
                                        "001.zip: preuzeto", "002.dat: preuzima se...",
                                        "002.dat: preuzeto"}));
    EXPECT_EQ(listener_.questions,
              std::vector<std::string>{"Zelite li sada da procitate vesti iz datoteke 002.dat?"});
    EXPECT_EQ(listener_.messages, std::vector<std::string>{"Nove vesti\r\n"});
    EXPECT_EQ(listener_.newest, std::vector<std::string>{"Uredba"});
    EXPECT_EQ(rows(database::kZakoni, "ID_ZAKONA").size(), 3U);
    EXPECT_EQ(listener_.status, "");
    EXPECT_TRUE(c.newNames().empty());
    const std::string dir = (program() / "").string();
    EXPECT_EQ(log(),
              (std::vector<std::string>{
                  " LOG fajl otvoren", "", " pocetak azuriranja po spisku",
                  " konektovanje ok i promenjen ftp dir", " download 001.zip",
                  " download 001.zip u " + dir + "updates/ zavrsen", "Praznjenje update foldera",
                  "Raspakivanje 001.zip", "Zip fajl - inatalacija", " instalacija izmena...",
                  " download 002.dat", " download 002.dat u " + dir + "updates/ zavrsen",
                  "Praznjenje update foldera", "Raspakivanje 002.dat", " LOG fajl zatvoren"}));
    // A second listing finds nothing new.
    c.click();
    EXPECT_EQ(listener_.messages.back(), "Nema novijih datoteka za preuzimanje sa interneta!");
}

TEST_F(FtpTest, ADroppedDownloadLeavesNothingCountedAsFetched) {
    serveArchive("001.zip", {table(database::kZakoni, {regulation(3, "Uredba", "Tekst.")})});
    serve("002.zip", std::string(400000, 'x'));
    serveArchive("003.zip", {table(database::kZakoni, {regulation(4, "Odluka", "Tekst.")})});
    {
        FtpServer server(served_, "002.zip");
        auto& c = controller(server.url());
        c.click();
        c.click();
        EXPECT_EQ(c.state(), update::State::Idle);
    }
    EXPECT_TRUE(fs::exists(program() / "updates" / "001.zip"));
    EXPECT_FALSE(fs::exists(program() / "updates" / "002.zip"));
    EXPECT_FALSE(fs::exists(program() / "updates" / "002.zip.part"));
    EXPECT_FALSE(fs::exists(program() / "updates" / "003.zip"));  // skipped after the failure
    EXPECT_EQ(listener_.status, "");
    const auto lines = log();
    EXPECT_EQ(lines[lines.size() - 3], " ftp dc...");
    EXPECT_EQ(lines[lines.size() - 2], " ftp dc ok");
    EXPECT_EQ(rows(database::kZakoni, "ID_ZAKONA").size(), 3U);  // the first archive stays

    // The next listing offers the dropped file again.
    FtpServer again(served_);
    auto& c = controller(again.url());
    c.click();
    EXPECT_EQ(names(), (std::vector<std::string>{"002.zip", "003.zip"}));
}

TEST_F(FtpTest, AnArchiveThatFailsToUnpackIsNotMergedAndOfferedAgain) {
    serve("001.zip", "PK\x03\x04 cut off");
    FtpServer server(served_);
    auto& c = controller(server.url());
    c.click();
    c.click();
    EXPECT_EQ(listener_.messages, std::vector<std::string>{"Greska u otpakivanju!"});
    EXPECT_FALSE(fs::exists(program() / "updates" / "001.zip"));
    EXPECT_TRUE(listener_.lastUpdate.empty());  // nothing installed
    c.click();
    EXPECT_EQ(names(), std::vector<std::string>{"001.zip"});
}

TEST_F(FtpTest, AServerThatRefusesTheLoginEndsTheListingQuietly) {
    FtpServer server(served_);
    std::string url = server.url();
    url.replace(url.find("mendu372"), 8, "wrong");
    auto& c = controller(url);
    c.click();
    EXPECT_EQ(c.state(), update::State::Idle);
    EXPECT_EQ(listener_.status, "Konekcija neuspe{na!");
    EXPECT_TRUE(listener_.messages.empty());
    const auto lines = log();
    EXPECT_EQ(lines[3], " diskonektovanje...");
    EXPECT_EQ(lines[4], " uspesno diskonektovanje");
}

TEST_F(FtpTest, UpdatesFolderThatCannotBeMadeDisablesTheButton) {
    fs::remove_all(program() / "updates");
    std::ofstream(program() / "updates") << "a file in the way";
    auto& c = controller("ftp://rokal:x@127.0.0.1:1/");
    c.click();
    EXPECT_FALSE(listener_.button);
    EXPECT_EQ(listener_.messages,
              std::vector<std::string>{"Neuspesno kreiranje direktorijuma za azuriranje!"});
    EXPECT_EQ(log(), (std::vector<std::string>{" LOG fajl otvoren", "",
                                               " Neuspesno kreiranje direktorijuma za azuriranje!",
                                               " LOG fajl zatvoren"}));
}

TEST_F(FtpTest, ProxyFollowsTheSettingsPage) {
    update::FtpSettings s;
    update::applyProxy(s, false, "proxy.local", "8080", "8080");
    EXPECT_EQ(s.proxyHost, "");
    update::applyProxy(s, true, "proxy.local", "abc", "8080");
    EXPECT_EQ(s.proxyHost, "proxy.local");
    EXPECT_EQ(s.proxyPort, 0);
    update::applyProxy(s, true, "proxy.local", "3128", "8080");
    EXPECT_EQ(s.proxyPort, 8080);
}

TEST_F(FtpTest, CommandLineUpdateRunsBothClicks) {
    serveArchive("001.zip", {table(database::kZakoni, {regulation(3, "Uredba", "Tekst.")})});
    serve("002.txt", "Vesti");
    session_.close();
    FtpServer server(served_);
    const std::string cli = (testsupport::builtProgramDir() / "korvet-cli").string();
    auto r = testsupport::run("KORVET_FTP_URL=" + server.url() + " " + cli + " update " +
                              testsupport::shellQuote(program().string()));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(fs::exists(program() / "updates" / "002.txt"));
    std::ifstream in(program() / "novo.lst", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "Uredba\r\n");
    auto again = testsupport::run("KORVET_FTP_URL=" + server.url() + " " + cli + " update " +
                                  testsupport::shellQuote(program().string()));
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "Nema novijih datoteka za preuzimanje sa interneta!\n");
}

}  // namespace
}  // namespace updatetest
