#include "update/ftpclient.h"

#include <curl/curl.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace update {

namespace {

// The publisher's update server. The address is a placeholder of the
// documentation range; installations name theirs in KORVET_FTP_URL.
constexpr const char* kServer = "192.0.2.10";
constexpr int kPort = 21;
constexpr const char* kUser = "rokal";
constexpr const char* kPassword = "mendu372";

CURL* handle(void* p) {
    return static_cast<CURL*>(p);
}

void curlOnce() {
    static const bool done = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    (void)done;
}

std::string urlPart(CURLU* url, CURLUPart part) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, CURLU_URLDECODE) != CURLUE_OK || text == nullptr) {
        return {};
    }
    std::string out = text;
    curl_free(text);
    return out;
}

int portNumber(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    return std::atoi(text.c_str());
}

size_t appendText(char* data, size_t size, size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

size_t writeFile(char* data, size_t size, size_t count, void* out) {
    return std::fwrite(data, size, count, static_cast<std::FILE*>(out)) * size;
}

size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

}  // namespace

FtpSettings defaultFtpSettings() {
    FtpSettings s{kServer, kPort, kUser, kPassword, {}, 0};
    const char* env = std::getenv("KORVET_FTP_URL");
    if (env == nullptr || *env == '\0') {
        return s;
    }
    curlOnce();
    CURLU* url = curl_url();
    if (curl_url_set(url, CURLUPART_URL, env, 0) == CURLUE_OK) {
        s.host = urlPart(url, CURLUPART_HOST);
        s.user = urlPart(url, CURLUPART_USER);
        s.password = urlPart(url, CURLUPART_PASSWORD);
        const int port = portNumber(urlPart(url, CURLUPART_PORT));
        s.port = port > 0 ? port : kPort;
    }
    curl_url_cleanup(url);
    return s;
}

void applyProxy(FtpSettings& settings, bool useProxy, const std::string& address,
                const std::string& portLine, const std::string& portField) {
    if (!useProxy) {
        return;
    }
    settings.proxyHost = address;
    if (portNumber(portLine) != 0) {
        settings.proxyPort = portNumber(portField);
    }
}

// One transfer's progress: the start once the size is known, then the bytes.
struct FtpClient::Transfer {
    FtpEvents* events;
    bool started = false;
    curl_off_t last = -1;

    static int callback(void* p, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
        auto* t = static_cast<Transfer*>(p);
        if (!t->started && total > 0) {
            t->started = true;
            t->events->transactionStart(total);
        }
        if (t->started && now != t->last) {
            t->last = now;
            t->events->packetReceived(now);
        }
        t->events->idle();
        return 0;
    }
};

FtpClient::FtpClient(FtpSettings settings, FtpEvents& events)
    : settings_(std::move(settings)), events_(events) {
    curlOnce();
}

FtpClient::~FtpClient() {
    disconnect();
}

std::string FtpClient::baseUrl() const {
    const bool ipv6 = settings_.host.find(':') != std::string::npos;
    return "ftp://" + (ipv6 ? "[" + settings_.host + "]" : settings_.host) + ":" +
           std::to_string(settings_.port) + "/";
}

void FtpClient::prepare(const std::string& path) {
    if (curl_ == nullptr) {
        curl_ = curl_easy_init();
        if (curl_ == nullptr) {
            throw FtpError("Cannot start the FTP client");
        }
    }
    CURL* c = handle(curl_);
    curl_easy_reset(c);  // keeps the open connection
    curl_easy_setopt(c, CURLOPT_URL, (baseUrl() + path).c_str());
    curl_easy_setopt(c, CURLOPT_USERNAME, settings_.user.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, settings_.password.c_str());
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);  // passive transfers
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, 60L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, discard);
    if (!settings_.proxyHost.empty()) {
        curl_easy_setopt(c, CURLOPT_PROXY, settings_.proxyHost.c_str());
        if (settings_.proxyPort > 0) {
            curl_easy_setopt(c, CURLOPT_PROXYPORT, static_cast<long>(settings_.proxyPort));
        }
        curl_easy_setopt(c, CURLOPT_HTTPPROXYTUNNEL, 1L);
        curl_easy_setopt(c, CURLOPT_PROXYUSERNAME, settings_.user.c_str());
        curl_easy_setopt(c, CURLOPT_PROXYPASSWORD, settings_.password.c_str());
    } else {
        curl_easy_setopt(c, CURLOPT_PROXY, "");  // not the environment's proxy either
    }
}

// Runs the prepared request; on failure tells the events and throws.
void FtpClient::perform(FtpCommand* command) {
    CURL* c = handle(curl_);
    const CURLcode rc = curl_easy_perform(c);
    if (rc == CURLE_OK) {
        return;
    }
    const std::string text = std::string(curl_easy_strerror(rc));
    switch (rc) {
        case CURLE_COULDNT_RESOLVE_HOST:
        case CURLE_COULDNT_RESOLVE_PROXY:
            if (!connected_) {
                events_.connectionRequired();
            }
            break;
        case CURLE_COULDNT_CONNECT:
        case CURLE_LOGIN_DENIED:
        case CURLE_WEIRD_SERVER_REPLY:
        case CURLE_OPERATION_TIMEDOUT:
            if (!connected_) {
                events_.connectionFailed();
                break;
            }
            [[fallthrough]];
        case CURLE_RECV_ERROR:
        case CURLE_SEND_ERROR:
        case CURLE_GOT_NOTHING:
            events_.socketError();
            break;
        default:
            break;
    }
    if (command != nullptr) {
        events_.commandFailed(*command);
    }
    throw FtpError("FTP: " + text);
}

void FtpClient::connect() {
    if (connected_) {
        return;
    }
    prepare("");
    curl_easy_setopt(handle(curl_), CURLOPT_NOBODY, 1L);  // log in and stop
    perform(nullptr);
    connected_ = true;
    events_.connected();
}

std::vector<std::string> FtpClient::list() {
    prepare("");
    std::string text;
    curl_easy_setopt(handle(curl_), CURLOPT_DIRLISTONLY, 1L);
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEFUNCTION, appendText);
    curl_easy_setopt(handle(curl_), CURLOPT_WRITEDATA, &text);
    FtpCommand command = FtpCommand::List;
    perform(&command);
    std::vector<std::string> names;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string name = text.substr(start, end - start);
        if (!name.empty() && name.back() == '\r') {
            name.pop_back();
        }
        if (size_t slash = name.find_last_of('/'); slash != std::string::npos) {
            name.erase(0, slash + 1);
        }
        if (!name.empty() && name != "." && name != "..") {
            names.push_back(name);
        }
        start = end + 1;
    }
    return names;
}

void FtpClient::download(const std::string& remote, const fs::path& local) {
    char* escaped = curl_easy_escape(nullptr, remote.c_str(), static_cast<int>(remote.size()));
    const std::string path = escaped ? escaped : remote;
    curl_free(escaped);
    prepare(path);
    const fs::path part = local.string() + ".part";
    std::FILE* file = std::fopen(part.c_str(), "wb");
    FtpCommand command = FtpCommand::Download;
    if (file == nullptr) {
        events_.commandFailed(command);
        throw FtpError("Cannot write " + part.string());
    }
    Transfer transfer{&events_};
    CURL* c = handle(curl_);
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);  // binary
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeFile);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, file);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Transfer::callback);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    std::error_code ec;
    try {
        perform(&command);
    } catch (...) {
        std::fclose(file);
        fs::remove(part, ec);
        throw;
    }
    const bool written = std::fflush(file) == 0 && ::fsync(fileno(file)) == 0;
    std::fclose(file);
    if (written) {
        fs::rename(part, local, ec);
    }
    if (!written || ec) {
        fs::remove(part, ec);
        events_.commandFailed(command);
        throw FtpError("Cannot write " + local.string());
    }
}

void FtpClient::disconnect() {
    if (curl_ != nullptr) {
        curl_easy_cleanup(handle(curl_));  // sends QUIT on the open connection
        curl_ = nullptr;
    }
    connected_ = false;
}

}  // namespace update
