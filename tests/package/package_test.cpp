// The Debian package: built with CPack from this build, installed into a
// fresh root with dpkg (or unpacked when not root), its tree made read-only;
// Korvet, Pelmat and korvet-cli start from it, Korvet works in the user's
// own folder and leaves the installed tree as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/registry.h"
#include "support/run.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;
using testsupport::run;
using testsupport::shellQuote;

namespace {

// What a tree holds: each path with its kind, size, time and link target.
std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        struct stat st {};
        ::lstat(it->path().c_str(), &st);
        std::string what = std::to_string(st.st_mode) + " " + std::to_string(st.st_size) + " " +
                           std::to_string(st.st_mtim.tv_sec) + "." +
                           std::to_string(st.st_mtim.tv_nsec);
        if (it->is_symlink()) {
            what += " -> " + fs::read_symlink(it->path()).string();
        }
        entries[fs::relative(it->path(), root).string()] = what;
    }
    return entries;
}

class Package : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (run("command -v dpkg-deb >/dev/null").status != 0) {
            return;
        }
        dir_ = new testsupport::TempProgramDir(false);
        const fs::path out = *dir_ / "deb";
        const auto made =
            run("cpack --config " + shellQuote(KORVET_BUILD_DIR "/CPackConfig.cmake") + " -B " +
                shellQuote(out.string()) + " >/dev/null 2>&1");
        for (const auto& entry : fs::directory_iterator(out)) {
            if (entry.path().extension() == ".deb") {
                deb_ = entry.path();
            }
        }
        if (made.status != 0 || deb_.empty()) {
            return;
        }
        // A fresh root: dpkg's database and nothing else.
        root_ = *dir_ / "root";
        if (::geteuid() == 0) {
            for (const char* sub : {"info", "updates", "triggers"}) {
                fs::create_directories(root_ / "var/lib/dpkg" / sub);
            }
            platform::writeFileAtomic(root_ / "var/lib/dpkg/status", "");
            platform::writeFileAtomic(root_ / "var/lib/dpkg/available", "");
            installed_ = run("dpkg --root=" + shellQuote(root_.string()) + " --force-depends -i " +
                             shellQuote(deb_.string()) + " >/dev/null 2>&1")
                             .status == 0;
        } else {
            installed_ =
                run("dpkg-deb -x " + shellQuote(deb_.string()) + " " + shellQuote(root_.string()))
                    .status == 0;
        }
        run("chmod -R a-w " + shellQuote((root_ / "usr").string()));
    }
    static void TearDownTestSuite() {
        if (dir_ != nullptr) {
            run("chmod -R u+w " + shellQuote(dir_->path().string()));
            delete dir_;
            dir_ = nullptr;
        }
    }

    void SetUp() override {
        if (dir_ == nullptr) {
            GTEST_SKIP() << "dpkg-deb is missing";
        }
        ASSERT_FALSE(deb_.empty()) << "cpack made no package";
        ASSERT_TRUE(installed_) << "the package did not install";
    }

    // Runs an installed command as a fresh user: a home of its own and
    // nothing else from this environment.
    testsupport::RunResult runInstalled(const std::string& command, const std::string& extra = "") {
        fs::create_directories(home_ / "run");
        fs::permissions(home_ / "run", fs::perms::owner_all);
        const std::string env =
            "env -i PATH=/usr/bin:/bin HOME=" + shellQuote(home_.string()) +
            " XDG_RUNTIME_DIR=" + shellQuote((home_ / "run").string()) +
            " KORVET_REGISTRY_DIR=" + shellQuote((home_ / "registry").string()) +
            " QT_QPA_PLATFORM=offscreen " + extra + " timeout 120 ";
        return run(env + shellQuote((root_ / "usr/bin" / command).string()) + " 2>/dev/null");
    }

    std::string uiLog() const { return platform::readFile(home_ / "ui.log").value_or(""); }

    static inline testsupport::TempProgramDir* dir_ = nullptr;
    static inline fs::path deb_;
    static inline fs::path root_;
    static inline bool installed_ = false;
    testsupport::TempProgramDir homeDir_{false};
    fs::path home_ = homeDir_ / "home";
};

TEST_F(Package, DeclaresItsRuntimePackagesAndHoldsTheInstallation) {
    const auto depends = run("dpkg-deb -f " + shellQuote(deb_.string()) + " Depends").out;
    for (const char* package :
         {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6", "libsqlite3-0",
          "libcurl4", "zlib1g", "libbz2-1.0", "pxlib1", "fonts-dejavu-core"}) {
        EXPECT_NE(depends.find(package), std::string::npos) << package << " in " << depends;
    }
    EXPECT_EQ(run("dpkg-deb -f " + shellQuote(deb_.string()) + " Package").out, "korvet\n");
    if (::geteuid() == 0) {
        EXPECT_NE(run("dpkg --root=" + shellQuote(root_.string()) + " -s korvet")
                      .out.find("Status: install ok installed"),
                  std::string::npos);
    }
    const fs::path program = root_ / "usr/libexec/korvet";
    for (const char* name :
         {"Korvet", "Pelmat", "korvet-cli", "libkorvet-engine.so", "BDEinst.dll",
          "korvet.installed", "Podatci/zakoni.sqlite", "dostava.rtf", "Yhelvn.TTF", "Yhelvb.TTF",
          "Cir Helvetica.TTF", "Cir Helvetica Bold.TTF", "Yuerife.FON"}) {
        EXPECT_TRUE(fs::exists(program / name)) << name;
    }
    for (const char* name :
         {"usr/share/applications/korvet.desktop", "usr/share/applications/pelmat.desktop",
          "usr/share/icons/hicolor/48x48/apps/korvet.png",
          "usr/share/icons/hicolor/256x256/apps/pelmat.png"}) {
        EXPECT_TRUE(fs::is_regular_file(root_ / name)) << name;
    }
    const auto entry = platform::readFile(root_ / "usr/share/applications/korvet.desktop");
    ASSERT_TRUE(entry);
    for (const char* line : {"\nExec=korvet\n", "\nIcon=korvet\n", "\nType=Application\n"}) {
        EXPECT_NE(entry->find(line), std::string::npos) << line;
    }
}

TEST_F(Package, KorvetWorksInTheUsersFolderAndLeavesTheInstallationAsItWas) {
    const auto before = snapshot(root_ / "usr");
    const std::string hooks =
        "KORVET_AUTOCLOSE=1 KORVET_UI_LOG=" + shellQuote((home_ / "ui.log").string());
    const auto first = runInstalled("korvet", hooks);
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(uiLog(), "modal: Elektronski Trevion\n");

    const fs::path mine = home_ / ".local/share/korvet";
    const auto cfg = platform::readLines(mine / "trevion.cfg");
    ASSERT_TRUE(cfg);
    EXPECT_EQ(cfg->size(), 10u);
    for (const char* name : {"pretrage.ini", "cesti.ini", "brzi.ini", "novo.lst"}) {
        EXPECT_TRUE(fs::is_regular_file(mine / name)) << name;
    }
    EXPECT_FALSE(fs::is_symlink(mine / "Podatci"));
    EXPECT_TRUE(fs::is_regular_file(mine / "Podatci/zakoni.sqlite"));
    EXPECT_TRUE(fs::is_symlink(mine / "Yhelvn.TTF"));
    EXPECT_TRUE(fs::is_symlink(mine / "dostava.rtf"));
    // The first start registered the installed engine.
    ::setenv("KORVET_REGISTRY_DIR", (home_ / "registry").c_str(), 1);
    EXPECT_EQ(platform::registry::readString(platform::registry::Hive::LocalMachine,
                                             "SOFTWARE\\Borland\\Database Engine", "DLLPATH"),
              fs::canonical(root_ / "usr/libexec/korvet").string());
    ::unsetenv("KORVET_REGISTRY_DIR");

    // A second start keeps the user's database.
    struct stat was {};
    ::stat((mine / "Podatci/zakoni.sqlite").c_str(), &was);
    fs::remove(home_ / "ui.log");
    EXPECT_EQ(runInstalled("korvet", hooks).status, 0);
    EXPECT_EQ(uiLog(), "modal: Elektronski Trevion\n");
    struct stat now {};
    ::stat((mine / "Podatci/zakoni.sqlite").c_str(), &now);
    EXPECT_EQ(now.st_ino, was.st_ino);

    EXPECT_EQ(snapshot(root_ / "usr"), before);
}

TEST_F(Package, PelmatAndTheCommandLineToolStartFromTheInstallation) {
    const auto shot = home_ / "shot";
    fs::create_directories(home_);
    EXPECT_EQ(runInstalled("pelmat", "KORVET_SCREENSHOT=" + shellQuote(shot.string())).status, 0);
    EXPECT_TRUE(fs::is_regular_file(home_ / "shot-pelmat.png"));
    EXPECT_EQ(runInstalled("korvet-cli").status, 2);  // no command: the usage
    const auto listed =
        run("env -i PATH=/usr/bin:/bin " + shellQuote((root_ / "usr/bin/korvet-cli").string()) +
            " tables " + shellQuote((root_ / "usr/libexec/korvet").string()));
    EXPECT_EQ(listed.status, 0);
    EXPECT_NE(listed.out.find("TB_Zakoni"), std::string::npos) << listed.out;
}

}  // namespace
