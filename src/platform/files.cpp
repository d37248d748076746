#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ios>
#include <random>
#include <system_error>

namespace platform {

std::optional<std::string> readFile(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);  // a folder or a device is no file to read
        return std::nullopt;
    }
    std::string data;
    data.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

namespace {

namespace fs = std::filesystem;

// Temporary files of a save sit beside the target as
// ".NAME.PID-RANDOM.save~": hidden, and the sweep at start can tell ours
// and whether their process still runs.
constexpr std::string_view kTempEnd = ".save~";
constexpr std::string_view kJournalEnd = ".journal";
// A journal being written; it becomes ".journal" only once whole, so a
// crash in the middle of writing it never puts half an old file back.
constexpr std::string_view kJournalPartEnd = ".journal-part";
constexpr std::string_view kJournalMagic = "korvet in-place save 1\n";

std::string randomPart() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string out;
    for (int i = 0; i < 8; ++i) {
        out += letters[random() % (sizeof letters - 1)];
    }
    return out;
}

std::string ownTag() {
    return std::to_string(::getpid()) + "-" + randomPart();
}

// The process that made a leftover named ...PID-RANDOM<end> is gone.
bool orphaned(const std::string& name, std::string_view end) {
    if (name.size() <= end.size() || !name.ends_with(end)) {
        return false;
    }
    const std::string stem = name.substr(0, name.size() - end.size());
    const size_t dash = stem.rfind('-');
    if (dash == std::string::npos) {
        return false;
    }
    size_t digits = dash;
    while (digits > 0 && stem[digits - 1] >= '0' && stem[digits - 1] <= '9') {
        --digits;
    }
    if (digits == dash || (digits > 0 && stem[digits - 1] != '.')) {
        return false;
    }
    const long pid = std::strtol(stem.c_str() + digits, nullptr, 10);
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool writeAll(int fd, const std::string& bytes, off_t at) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Replaces a file's content in place: write, cut to size, flush.
bool overwrite(int fd, const std::string& bytes) {
    return writeAll(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
           ::fsync(fd) == 0;
}

void syncFolder(const fs::path& dir) {
    int dfd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Where in-place saves keep the old content until they are done: the user's
// state folder (not the target's folder, which forbids new files).
fs::path journalDir() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/') {
        return fs::path(state) / "korvet" / "saves";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        return fs::path(home) / ".local" / "state" / "korvet" / "saves";
    }
    return fs::temp_directory_path() / ("korvet-saves-" + std::to_string(::getuid()));
}

// A journal: the magic line, the target's absolute path, then its old bytes.
std::optional<fs::path> writeJournal(const fs::path& target, const std::string& old) {
    std::error_code ec;
    const fs::path dir = journalDir();
    fs::create_directories(dir, ec);
    const std::string tag = ownTag();
    const fs::path part = dir / (tag + std::string(kJournalPartEnd));
    const fs::path journal = dir / (tag + std::string(kJournalEnd));
    int fd = ::open(part.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return std::nullopt;
    }
    const std::string head = std::string(kJournalMagic) + fs::absolute(target, ec).string() + "\n";
    bool ok = !ec && writeAll(fd, head + old, 0) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(part.c_str(), journal.c_str()) != 0) {
        ::unlink(part.c_str());
        return std::nullopt;
    }
    syncFolder(dir);
    return journal;
}

// The folder forbids new files but the file itself may be written: the old
// content goes to a journal first, so a crash in the middle is undone at the
// next start (recoverInterruptedSaves); a failure puts it back at once.
bool writeInPlace(const fs::path& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    struct stat st {};
    auto old = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) ? readFile(path) : std::nullopt;
    std::optional<fs::path> journal = old ? writeJournal(path, *old) : std::nullopt;
    if (!journal) {
        ::close(fd);  // without a journal a crash could tear the file
        return false;
    }
    bool ok = overwrite(fd, bytes);
    bool restored = ok || overwrite(fd, *old);
    if (::close(fd) != 0) {
        ok = false;
    }
    if (ok || restored) {
        ::unlink(journal->c_str());
    }
    return ok;
}

void recoverJournal(const fs::path& journal) {
    auto content = readFile(journal);
    if (!content || !content->starts_with(kJournalMagic)) {
        return;  // not ours: leave it
    }
    const size_t pathEnd = content->find('\n', kJournalMagic.size());
    if (pathEnd == std::string::npos) {
        return;
    }
    const std::string target =
        content->substr(kJournalMagic.size(), pathEnd - kJournalMagic.size());
    int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT) {
            ::unlink(journal.c_str());  // the file is gone: nothing to put back
        }
        return;
    }
    const bool ok = overwrite(fd, content->substr(pathEnd + 1));
    ::close(fd);
    if (ok) {
        ::unlink(journal.c_str());
    }
}

}  // namespace

bool writeFileAtomic(const std::filesystem::path& path, const std::string& bytes) {
    const fs::path dir = path.parent_path();
    const fs::path tmp =
        dir / ("." + path.filename().string() + "." + ownTag() + std::string(kTempEnd));
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        struct stat st {};
        const bool folderForbids = errno == EACCES || errno == EPERM || errno == EROFS;
        if (folderForbids && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            return writeInPlace(path, bytes);
        }
        return false;
    }
    // The new file takes the old one's permissions and, where allowed, owner.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        ::fchmod(fd, st.st_mode & 07777);
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
            [[maybe_unused]] int ignored = ::fchown(fd, st.st_uid, st.st_gid);
        }
    }
    bool ok = writeAll(fd, bytes, 0) && ::fsync(fd) == 0;
    if (::close(fd) != 0) {
        ok = false;
    }
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return false;
    }
    // Make the rename itself durable.
    syncFolder(dir);
    return true;
}

void recoverInterruptedSaves(const std::filesystem::path& dir) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(journalDir(), ec)) {
        const std::string name = entry.path().filename().string();
        if (orphaned(name, kJournalEnd)) {
            recoverJournal(entry.path());
        } else if (orphaned(name, kJournalPartEnd)) {
            ::unlink(entry.path().c_str());  // the file itself was not touched yet
        }
    }
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.') && orphaned(name, kTempEnd) && entry.is_regular_file(ec)) {
            ::unlink(entry.path().c_str());
        }
    }
}

std::string printable(std::string_view text) {
    static const char hex[] = "0123456789abcdef";
    auto escape = [](std::string& out, unsigned char c) {
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 15];
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (c < 0x20 || c == 0x7f) {
            escape(out, c);
        } else if (c == 0xc2 && next >= 0x80 && next <= 0x9f) {
            escape(out, c);  // a C1 control in UTF-8
            escape(out, next);
            ++i;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    bool pending = false;  // a line has started and not yet ended
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            pending = false;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            current.push_back(c);
            pending = true;
        }
    }
    if (pending) {
        lines.push_back(std::move(current));
    }
    return lines;
}

std::optional<std::vector<std::string>> readLines(const std::filesystem::path& path) {
    auto data = readFile(path);
    if (!data) {
        return std::nullopt;
    }
    return splitLines(*data);
}

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool writeLinesAtomic(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return writeFileAtomic(path, joinCrLf(lines));
}

bool makeWritable(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return true;
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add, ec);
    return !ec;
}

std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return std::nullopt;
    }
    try {
        return readLines(path);
    } catch (const std::ios_base::failure&) {
        return std::nullopt;  // a read error part way
    }
}

}  // namespace platform
