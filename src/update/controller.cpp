#include "update/controller.h"

#include <algorithm>
#include <fstream>

#include "update/install.h"
#include "update/tlogger.h"

namespace fs = std::filesystem;

namespace update {

namespace {

constexpr const char* kLogFile = "log.txt";

unsigned char folded(char c) {
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

bool lessNoCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

bool equalNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return folded(x) == folded(y);
           });
}

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

RowIcon iconFor(const std::string& name) {
    if (contains(name, "txt")) {
        return RowIcon::News;
    }
    return contains(name, "zip") ? RowIcon::Archive : RowIcon::None;
}

void renameLegacyArchives(const fs::path& programDir) {
    for (int n = 1; n <= 11; ++n) {
        const fs::path from = programDir / kUpdatesDir / (std::to_string(n) + ".zip");
        char to[16];
        std::snprintf(to, sizeof to, "%03d.zip", n);
        std::error_code ec;
        if (fs::exists(from, ec)) {
            fs::rename(from, programDir / kUpdatesDir / to, ec);
        }
    }
}

// One click's log and its fixed ending, whichever way the click ends.
class UpdateController::Click {
  public:
    explicit Click(const fs::path& programDir) : log(programDir / kLogFile) {
        log.WriteStamped(" LOG fajl otvoren");
        log.WriteLine("");
    }
    ~Click() { log.WriteStamped(" LOG fajl zatvoren"); }

    TLogger log;
};

UpdateController::UpdateController(engine::Session& session, std::string alias, fs::path programDir,
                                   FtpSettings ftp, UpdateListener& listener, TUTextIndex textIndex)
    : session_(session),
      alias_(std::move(alias)),
      programDir_(std::move(programDir)),
      ftpSettings_(ftp),
      listener_(listener),
      util_(session, textIndex),
      ftp_(std::move(ftp), *this) {
    renameLegacyArchives(programDir_);
}

UpdateController::~UpdateController() = default;

void UpdateController::setState(State state) {
    state_ = state;
    listener_.stateChanged(state);
}

void UpdateController::click() {
    Click click(programDir_);
    listener_.buttonEnabled(false);
    std::error_code ec;
    const fs::path updates = programDir_ / kUpdatesDir;
    if (!fs::is_directory(updates, ec) && !fs::create_directory(updates, ec)) {
        listener_.message("Neuspesno kreiranje direktorijuma za azuriranje!");
        click.log.WriteStamped(" Neuspesno kreiranje direktorijuma za azuriranje!");
        return;  // the button stays disabled
    }
    if (state_ == State::Idle) {
        listingClick(click);
    } else {
        downloadClick(click);
    }
}

void UpdateController::listingClick(Click& click) {
    TLogger& log = click.log;
    localNames_.clear();
    listener_.rowsCleared();
    std::error_code ec;
    for (fs::directory_iterator it(programDir_ / kUpdatesDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code kind;
        if (it->is_regular_file(kind)) {
            localNames_.push_back(it->path().filename().string());
        }
    }
    newNames_.clear();
    try {
        log.WriteStamped(" Konektovanje...");
        ftp_.connect();
        log.WriteStamped(ftp_.host());
        log.WriteStamped(" promena ftp direktorijuma...");
        log.WriteStamped(" uspesna promena ftp direktorijuma");
        log.WriteStamped(" izlistavanje ftp-a...");
        newNames_ = ftp_.list();
        log.WriteStamped(" uspesno izlistavanje ftp-a");

        std::stable_sort(localNames_.begin(), localNames_.end(), lessNoCase);
        std::stable_sort(newNames_.begin(), newNames_.end(), lessNoCase);
        listener_.rowsCleared();
        for (const std::string& local : localNames_) {
            auto found = std::find_if(newNames_.begin(), newNames_.end(),
                                      [&](const std::string& n) { return equalNoCase(n, local); });
            if (found != newNames_.end()) {
                newNames_.erase(found);
            } else {
                log.WriteStamped(" brisanje fajla");
            }
        }
        for (const std::string& name : newNames_) {
            listener_.rowAdded(name, iconFor(name), kStatusReady);
        }
        if (newNames_.empty()) {
            listener_.message("Nema novijih datoteka za preuzimanje sa interneta!");
            log.WriteStamped(" Nema novijih datoteka za preuzimanje sa interneta!");
        } else {
            setState(State::Ready);
            log.WriteStamped(" azuriranje omoguceno");
        }
    } catch (const std::exception& e) {
        listener_.diagnostic(e.what());
        log.WriteStamped(" diskonektovanje...");
        ftp_.disconnect();
        log.WriteStamped(" uspesno diskonektovanje");
    }
    listener_.buttonEnabled(true);
}

void UpdateController::downloadClick(Click& click) {
    TLogger& log = click.log;
    try {
        log.WriteStamped(" pocetak azuriranja po spisku");
        ftp_.connect();
        log.WriteStamped(" konektovanje ok i promenjen ftp dir");
        for (size_t row = 0; row < newNames_.size(); ++row) {
            fetchOne(click, row);
        }
    } catch (const std::exception& e) {
        listener_.diagnostic(e.what());
        log.WriteStamped(" ftp dc...");
        ftp_.disconnect();
        log.WriteStamped(" ftp dc ok");
    }
    setState(State::Idle);
    listener_.buttonEnabled(true);
    localNames_.clear();
    newNames_.clear();
    listener_.statusText("");
}

void UpdateController::fetchOne(Click& click, size_t row) {
    TLogger& log = click.log;
    const std::string& name = newNames_[row];
    const int r = static_cast<int>(row);
    listener_.rowStatus(r, kStatusFetching);
    log.WriteStamped(" download " + name);
    const fs::path updates = programDir_ / kUpdatesDir;
    ftp_.download(name, updates / name);
    log.WriteStamped(" download " + name + " u " + (programDir_ / "").string() + kUpdatesDir +
                     "/ zavrsen");

    Installer installer(session_, alias_, programDir_, util_, listener_);
    log.WriteLine("Praznjenje update foldera");
    installer.ispraznidir();
    log.WriteLine("Raspakivanje " + name);
    const bool unpacked = installer.raspakuj(name);
    if (contains(name, "zip")) {
        log.WriteLine("Zip fajl - inatalacija");
        listener_.rowStatus(r, kStatusInstalling);
        log.WriteStamped(" instalacija izmena...");
        if (unpacked) {
            installer.azur();
        } else {
            // Half an archive is never merged; the next listing offers it again.
            std::error_code ec;
            fs::remove(updates / name, ec);
        }
    } else if (listener_.confirm("Zelite li sada da procitate vesti iz datoteke " + name + "?")) {
        std::ifstream in(updates / name, std::ios::binary);
        listener_.message(
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    listener_.rowStatus(r, kStatusDone);
}

void UpdateController::connected() {
    listener_.statusText("Konekcija otvorena");
}

void UpdateController::connectionFailed() {
    listener_.statusText("Konekcija neuspe{na!");
}

void UpdateController::socketError() {
    listener_.statusText("Gre{ka u konektovanju");
}

void UpdateController::commandFailed(FtpCommand command) {
    listener_.statusText(command == FtpCommand::List ? "Gre{ka u preuzimanju liste datoteka"
                                                     : "Gre{ka u preuzimanju datoteka");
}

void UpdateController::connectionRequired() {
    listener_.statusText(
        "Morate se povezati na Internet da bi a`uriranje putem Interneta funkcionisalo.");
}

void UpdateController::transactionStart(std::int64_t totalBytes) {
    transferTotal_ = totalBytes;
    listener_.progress(0, totalBytes);
    listener_.statusText(std::to_string(totalBytes));
}

void UpdateController::packetReceived(std::int64_t bytesSoFar) {
    listener_.progress(bytesSoFar, transferTotal_);
    listener_.statusText(std::to_string(bytesSoFar));
}

void UpdateController::idle() {
    listener_.idle();
}

}  // namespace update
