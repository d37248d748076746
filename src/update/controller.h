#pragma once
// The update button's two clicks without a window: the first connects to
// the server, lists it and offers the files not yet fetched; the second
// fetches each, unpacks it, merges and rebuilds its tables or offers it as
// news. Every click writes "log.txt" in the program directory. The window
// (and korvet-cli update) show what the listener is told.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "update/ftpclient.h"
#include "update/listener.h"
#include "update/rebuild.h"

namespace engine {
class Session;
}

namespace update {

// Row status texts.
inline constexpr const char* kStatusReady = "Spremno";
inline constexpr const char* kStatusFetching = "preuzima se...";
inline constexpr const char* kStatusInstalling = "instalira se...";
inline constexpr const char* kStatusDone = "preuzeto";

// The icon of a server name: an archive when it contains "zip", news when
// it contains "txt" (which wins), none otherwise.
RowIcon iconFor(const std::string& name);

// Renames "1.zip" .. "11.zip" in the updates folder to "001.zip" ..
// "011.zip" where they exist, so they match the server's names.
void renameLegacyArchives(const std::filesystem::path& programDir);

class UpdateController : private FtpEvents {
  public:
    // alias: the session's alias of programDir/Podatci. The table utility's
    // session is opened here (throws RebuildError on failure). textIndex:
    // whether installing an archive rebuilds the full-text index before the
    // click ends, or leaves it to the caller's background rebuild.
    UpdateController(engine::Session& session, std::string alias, std::filesystem::path programDir,
                     FtpSettings ftp, UpdateListener& listener,
                     TUTextIndex textIndex = TUTextIndex::Rebuild);
    ~UpdateController() override;

    // A click of the update button: the listing in the idle state, the
    // download run in the ready state.
    void click();

    State state() const { return state_; }
    // The names the last listing found new, in sorted order (empty after a
    // download run).
    const std::vector<std::string>& newNames() const { return newNames_; }
    // The table utility holder, for the repair.
    TBDEUtil& util() { return util_; }
    const FtpSettings& ftpSettings() const { return ftpSettings_; }

  private:
    class Click;
    void listingClick(Click& click);
    void downloadClick(Click& click);
    void fetchOne(Click& click, size_t row);
    void setState(State state);

    // FtpEvents: the client's notifications become status texts and progress.
    void connected() override;
    void connectionFailed() override;
    void socketError() override;
    void commandFailed(FtpCommand command) override;
    void connectionRequired() override;
    void transactionStart(std::int64_t totalBytes) override;
    void packetReceived(std::int64_t bytesSoFar) override;
    void idle() override;

    engine::Session& session_;
    std::string alias_;
    std::filesystem::path programDir_;
    FtpSettings ftpSettings_;
    UpdateListener& listener_;
    TBDEUtil util_;
    FtpClient ftp_;
    State state_ = State::Idle;
    std::vector<std::string> localNames_;  // ListBox2
    std::vector<std::string> newNames_;    // ListBox3
    std::int64_t transferTotal_ = 0;
};

}  // namespace update
