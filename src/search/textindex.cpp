#include "search/textindex.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>

#include "engine/session.h"
#include "engine/sidedata.h"
#include "search/foldfind.h"

namespace search {

namespace fmt = indexformat;

namespace indexformat {

std::uint64_t checksum(const char* bytes, size_t size) {
    // Four independent lanes over 8-byte words, then the tail.
    std::uint64_t lane[4] = {0x9E3779B97F4A7C15ull ^ size, 0xC2B2AE3D27D4EB4Full,
                             0x165667B19E3779F9ull, 0x27D4EB2F165667C5ull};
    size_t i = 0;
    for (; i + 32 <= size; i += 32) {
        for (int k = 0; k < 4; ++k) {
            std::uint64_t w;
            std::memcpy(&w, bytes + i + 8 * k, 8);
            lane[k] = (lane[k] ^ w) * 0x100000001B3ull;
            lane[k] ^= lane[k] >> 29;
        }
    }
    std::uint64_t h = lane[0] ^ (lane[1] * 3) ^ (lane[2] * 5) ^ (lane[3] * 7);
    for (; i < size; ++i) {
        h = (h ^ static_cast<unsigned char>(bytes[i])) * 0x100000001B3ull;
    }
    h ^= h >> 31;
    h *= 0x94D049BB133111EBull;
    // Kept in an SQLite integer: the top bit stays clear.
    return (h ^ (h >> 29)) >> 1;
}

std::uint64_t tokenHash(std::string_view s) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ s.size();
    size_t i = 0;
    for (; i + 8 <= s.size(); i += 8) {
        std::uint64_t w;
        std::memcpy(&w, s.data() + i, 8);
        h = (h ^ w) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, s.data() + i, s.size() - i);
    h ^= tail;
    // Every input bit reaches the low bits, which pick a slot in the build.
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

std::string stateName(TextTable table) {
    return table == TextTable::Regulations ? "fulltext.zakoni" : "fulltext.misljenja";
}

std::string encodeState(const State& s) {
    std::ostringstream out;
    out << s.build << ' ' << s.generation << ' ' << s.size << ' ' << s.checksum << ' '
        << s.documents << ' ' << s.tokens;
    return out.str();
}

std::optional<State> decodeState(const std::string& text) {
    std::istringstream in(text);
    State s;
    if (!(in >> s.build >> s.generation >> s.size >> s.checksum >> s.documents >> s.tokens)) {
        return std::nullopt;
    }
    return s;
}

}  // namespace indexformat

namespace {

const char* tableName(TextTable table) {
    return table == TextTable::Regulations ? "zakoni" : "misljenja";
}

// The state of a current index; nullopt when there is none or its texts
// changed since it was built.
std::optional<fmt::State> currentState(engine::Database& db, TextTable table) {
    const std::optional<std::string> value = engine::sideValue(db, fmt::stateName(table));
    if (!value) {
        return std::nullopt;
    }
    const std::optional<fmt::State> s = fmt::decodeState(*value);
    if (!s) {
        return std::nullopt;
    }
    const std::optional<long long> generation = textCopy(db, table).generation();
    if (!generation || *generation != s->generation) {
        return std::nullopt;
    }
    return s;
}

std::uint64_t readWord(const char* at) {
    std::uint64_t v;
    std::memcpy(&v, at, 8);
    return v;
}

std::uint32_t readU32(const char* at) {
    std::uint32_t v;
    std::memcpy(&v, at, 4);
    return v;
}

}  // namespace

struct TextIndex::File {
    int fd = -1;
    const char* data = nullptr;
    size_t size = 0;
    std::uint64_t word[fmt::kWords] = {};
    // Per checksum block: 0 not checked yet, 1 good, 2 failed.
    std::unique_ptr<std::atomic<std::uint8_t>[]> checked;
    mutable std::atomic<bool> failed{false};

    ~File() {
        if (data != nullptr) {
            ::munmap(const_cast<char*>(data), size);
        }
        if (fd >= 0) {
            ::close(fd);
        }
    }

    std::uint64_t at(fmt::Word w) const { return word[w]; }

    // Reads [offset, offset + length) through the file, not the mapping,
    // and checks every block it touches (each time: the bytes a search
    // uses are checked as it reads them). The postings lie scattered: read
    // this way they leave nothing mapped behind. nullopt when a block fails.
    std::optional<std::string_view> read(std::uint64_t offset, std::uint64_t length,
                                         std::string& buffer) const {
        const std::uint64_t covered = at(fmt::kChecksumsOffset);
        if (failed.load(std::memory_order_relaxed) || length == 0 || offset > covered ||
            length > covered - offset) {
            failed.store(true);
            return std::nullopt;
        }
        const std::uint64_t first = offset / fmt::kBlock;
        const std::uint64_t last = (offset + length - 1) / fmt::kBlock;
        const std::uint64_t from = first * fmt::kBlock;
        const std::uint64_t to = std::min((last + 1) * fmt::kBlock, covered);
        buffer.resize(to - from);
        size_t got = 0;
        while (got < buffer.size()) {
            const ssize_t n = ::pread(fd, buffer.data() + got, buffer.size() - got,
                                      static_cast<off_t>(from + got));
            if (n <= 0) {
                failed.store(true);
                return std::nullopt;
            }
            got += static_cast<size_t>(n);
        }
        const char* sums = data + covered;
        for (std::uint64_t b = first; b <= last; ++b) {
            const std::uint64_t at = (b - first) * fmt::kBlock;
            const std::uint64_t n = std::min(fmt::kBlock, buffer.size() - at);
            if (fmt::checksum(buffer.data() + at, n) != readWord(sums + 8 * b)) {
                failed.store(true);
                return std::nullopt;
            }
        }
        return std::string_view(buffer.data() + (offset - from), length);
    }

    // Checks the blocks that hold [offset, offset + length) against their
    // checksums (once each); false when one fails.
    bool check(std::uint64_t offset, std::uint64_t length) const {
        if (failed.load(std::memory_order_relaxed)) {
            return false;
        }
        if (length == 0) {
            return true;
        }
        const std::uint64_t first = offset / fmt::kBlock;
        const std::uint64_t last = (offset + length - 1) / fmt::kBlock;
        const char* sums = data + at(fmt::kChecksumsOffset);
        const std::uint64_t covered = at(fmt::kChecksumsOffset);
        for (std::uint64_t b = first; b <= last; ++b) {
            std::uint8_t state = checked[b].load(std::memory_order_acquire);
            if (state == 0) {
                const std::uint64_t from = b * fmt::kBlock;
                const std::uint64_t n = std::min(fmt::kBlock, covered - from);
                state = fmt::checksum(data + from, n) == readWord(sums + 8 * b) ? 1 : 2;
                checked[b].store(state, std::memory_order_release);
            }
            if (state != 1) {
                failed.store(true);
                return false;
            }
        }
        return true;
    }
};

TextIndex::TextIndex(std::unique_ptr<File> file) : file_(std::move(file)) {
    documents_ = static_cast<std::uint32_t>(file_->at(fmt::kDocuments));
}

TextIndex::~TextIndex() = default;

bool TextIndex::damaged() const {
    return file_->failed.load();
}

std::string textIndexPath(engine::Database& db, TextTable table) {
    std::filesystem::path path(db.path());
    path.replace_extension(std::string(".") + tableName(table) + ".index");
    return path.string();
}

std::optional<TextIndexInfo> textIndexInfo(engine::Database& db, TextTable table) {
    const std::optional<fmt::State> s = currentState(db, table);
    if (!s) {
        return std::nullopt;
    }
    return TextIndexInfo{s->documents, s->tokens, s->size};
}

std::shared_ptr<const TextIndex> TextIndex::open(const std::string& path, long long build,
                                                 long long size, std::uint64_t checksum) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size != size ||
        static_cast<std::uint64_t>(size) < fmt::kHeaderSize) {
        ::close(fd);
        return nullptr;
    }
    void* map = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED) {
        ::close(fd);
        return nullptr;
    }
    // Searches read scattered postings: no read-ahead around them.
    ::madvise(map, static_cast<size_t>(size), MADV_RANDOM);
    auto file = std::make_unique<File>();
    file->fd = fd;
    file->data = static_cast<const char*>(map);
    file->size = static_cast<size_t>(size);
    for (int w = 0; w < fmt::kWords; ++w) {
        file->word[w] = readWord(file->data + 8 * w);
    }
    const auto n = static_cast<std::uint64_t>(size);
    auto within = [&](std::uint64_t offset, std::uint64_t length) {
        return offset <= n && length <= n - offset;
    };
    const std::uint64_t blocks = file->at(fmt::kBlocks);
    const std::uint64_t sums = file->at(fmt::kChecksumsOffset);
    if (std::memcmp(file->data, fmt::kMagic, 8) != 0 ||
        static_cast<long long>(file->at(fmt::kBuild)) != build || file->at(fmt::kFileSize) != n ||
        sums < fmt::kHeaderSize || blocks != (sums + fmt::kBlock - 1) / fmt::kBlock ||
        !within(sums, blocks * 8) || sums + blocks * 8 != n) {
        return nullptr;
    }
    // The header and the checksum table against the database's state; every
    // other part against the table, when first used.
    std::string head(file->data, fmt::kHeaderSize);
    head.append(file->data + sums, blocks * 8);
    if (fmt::checksum(head.data(), head.size()) != checksum) {
        return nullptr;
    }
    const std::uint64_t documents = file->at(fmt::kDocuments);
    const std::uint64_t tokens = file->at(fmt::kTokens);
    const std::uint64_t checkpoints = (tokens + fmt::kSparse - 1) / fmt::kSparse;
    if (documents > 0xFFFFFFFFull || tokens > 0xFFFFFFFFull ||
        file->at(fmt::kKeyCount) > documents ||
        !within(file->at(fmt::kKeysOffset), file->at(fmt::kKeyCount) * 16) ||
        !within(file->at(fmt::kVocabularyOffset), file->at(fmt::kVocabularySize)) ||
        file->at(fmt::kVocabularySize) < 1 ||
        !within(file->at(fmt::kSparseOffset), checkpoints * 8) ||
        !within(file->at(fmt::kStartsOffset), (tokens + 1) * 4) ||
        !within(file->at(fmt::kPostingsOffset), file->at(fmt::kPostingsSize))) {
        return nullptr;
    }
    file->checked = std::make_unique<std::atomic<std::uint8_t>[]>(blocks);
    // The parts every search reads whole are checked now.
    if (!file->check(0, fmt::kHeaderSize) ||
        !file->check(file->at(fmt::kKeysOffset), file->at(fmt::kKeyCount) * 16) ||
        !file->check(file->at(fmt::kVocabularyOffset), file->at(fmt::kVocabularySize)) ||
        !file->check(file->at(fmt::kSparseOffset), checkpoints * 8)) {
        return nullptr;
    }
    return std::shared_ptr<const TextIndex>(new TextIndex(std::move(file)));
}

namespace {

struct Loaded {
    std::string path;
    long long build = 0;
    std::shared_ptr<const TextIndex> index;
};

// The mapped indexes by file; a rebuild gets a new build number.
std::mutex& loadedLock() {
    static std::mutex lock;
    return lock;
}
std::vector<Loaded>& loaded() {
    static std::vector<Loaded> cache;
    return cache;
}

}  // namespace

std::shared_ptr<const TextIndex> TextIndex::current(engine::Database& db, TextTable table) {
    const std::optional<fmt::State> s = currentState(db, table);
    if (!s) {
        return nullptr;
    }
    const std::string path = textIndexPath(db, table);
    std::lock_guard guard(loadedLock());
    auto& cache = loaded();
    for (const Loaded& l : cache) {
        if (l.path == path && l.build == s->build) {
            return l.index->damaged() ? nullptr : l.index;
        }
    }
    std::shared_ptr<const TextIndex> index = open(path, s->build, s->size, s->checksum);
    if (index) {
        std::erase_if(cache, [&](const Loaded& l) { return l.path == path; });
        cache.push_back({path, s->build, index});
    }
    return index;
}

std::optional<std::uint32_t> TextIndex::document(long long key) const {
    const char* keys = file_->data + file_->at(fmt::kKeysOffset);
    const size_t count = file_->at(fmt::kKeyCount);
    size_t lo = 0;
    size_t hi = count;
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        const auto k = static_cast<long long>(readWord(keys + 16 * mid));
        if (k < key) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    if (lo < count && static_cast<long long>(readWord(keys + 16 * lo)) == key) {
        const std::uint64_t d = readWord(keys + 16 * lo + 8);
        if (d < documents_) {
            return static_cast<std::uint32_t>(d);
        }
    }
    return std::nullopt;
}

bool TextIndex::answers(std::string_view word) {
    return !word.empty() && std::none_of(word.begin(), word.end(), isTokenSpace);
}

namespace {

bool everyDocument(const DocumentSet& set, std::uint32_t documents) {
    std::uint64_t count = 0;
    for (std::uint64_t word : set) {
        count += static_cast<std::uint64_t>(__builtin_popcountll(word));
    }
    return count == documents;
}

}  // namespace

bool TextIndex::addPosting(std::uint64_t token, DocumentSet& set, bool& full) const {
    const File& f = *file_;
    std::string startsBuffer;
    std::string postingBuffer;
    const auto starts = f.read(f.at(fmt::kStartsOffset) + 4 * token, 8, startsBuffer);
    if (!starts) {
        return false;
    }
    const std::uint32_t raw = readU32(starts->data());
    const std::uint32_t end = readU32(starts->data() + 4) & ~fmt::kBitmapKind;
    const std::uint32_t begin = raw & ~fmt::kBitmapKind;
    if (end <= begin || end > f.at(fmt::kPostingsSize)) {
        f.failed.store(true);
        return false;
    }
    const auto read = f.read(f.at(fmt::kPostingsOffset) + begin, end - begin, postingBuffer);
    if (!read) {
        return false;
    }
    const std::string_view posting = *read;
    const std::uint32_t n = documents_;
    if ((raw & fmt::kBitmapKind) != 0) {
        if (posting.size() != (static_cast<size_t>(n) + 7) / 8) {
            f.failed.store(true);
            return false;
        }
        // Little-endian bytes: eight of them are one word of the set.
        const size_t words = posting.size() / 8;
        for (size_t w = 0; w < words; ++w) {
            std::uint64_t bits;
            std::memcpy(&bits, posting.data() + 8 * w, 8);
            set[w] |= bits;
        }
        for (size_t b = words * 8; b < posting.size(); ++b) {
            set[b / 8] |= static_cast<std::uint64_t>(static_cast<unsigned char>(posting[b]))
                          << (8 * (b % 8));
        }
        full = everyDocument(set, n);
        return true;
    }
    std::uint32_t doc = 0;
    bool first = true;
    size_t at = 0;
    while (at < posting.size()) {
        std::uint32_t delta = 0;
        for (int shift = 0; at < posting.size() && shift < 35; shift += 7) {
            const auto byte = static_cast<unsigned char>(posting[at++]);
            delta |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        doc = first ? delta : doc + delta;
        first = false;
        if (doc < n) {
            set[doc / 64] |= std::uint64_t{1} << (doc % 64);
        }
    }
    return true;
}

std::optional<std::uint64_t> TextIndex::findToken(std::string_view word) const {
    const File& f = *file_;
    const std::string_view vocabulary(f.data + f.at(fmt::kVocabularyOffset),
                                      f.at(fmt::kVocabularySize));
    const char* sparse = f.data + f.at(fmt::kSparseOffset);
    const std::uint64_t tokens = f.at(fmt::kTokens);
    const std::uint64_t checkpoints = (tokens + fmt::kSparse - 1) / fmt::kSparse;
    const std::uint64_t hash = fmt::tokenHash(word);
    auto tokenAt = [&](std::uint64_t start) -> std::optional<std::string_view> {
        const size_t end = vocabulary.find('\n', start);
        if (start >= vocabulary.size() || end == std::string_view::npos) {
            return std::nullopt;
        }
        return vocabulary.substr(start, end - start);
    };
    // The last checkpoint whose token is not after the word.
    std::uint64_t lo = 0;
    std::uint64_t hi = checkpoints;
    while (hi - lo > 1) {
        const std::uint64_t mid = (lo + hi) / 2;
        const auto token = tokenAt(readWord(sparse + 8 * mid));
        if (!token) {
            return std::nullopt;
        }
        if (fmt::tokenBefore(hash, word, fmt::tokenHash(*token), *token)) {
            hi = mid;
        } else {
            lo = mid;
        }
    }
    if (checkpoints == 0) {
        return std::nullopt;
    }
    std::uint64_t start = readWord(sparse + 8 * lo);
    for (std::uint64_t t = lo * fmt::kSparse; t < tokens && t < (lo + 1) * fmt::kSparse; ++t) {
        const auto token = tokenAt(start);
        if (!token) {
            return std::nullopt;
        }
        if (*token == word) {
            return t;
        }
        start += token->size() + 1;
    }
    return std::nullopt;
}

std::optional<DocumentSet> TextIndex::documentsWith(std::string_view word) const {
    const File& f = *file_;
    DocumentSet set((static_cast<size_t>(documents_) + 63) / 64, 0);
    const std::string_view vocabulary(f.data + f.at(fmt::kVocabularyOffset),
                                      f.at(fmt::kVocabularySize));
    const char* sparse = f.data + f.at(fmt::kSparseOffset);
    const std::uint64_t tokens = f.at(fmt::kTokens);
    const std::uint64_t checkpoints = (tokens + fmt::kSparse - 1) / fmt::kSparse;
    // The word as a whole token first: when every document holds it, no
    // other token can add one.
    if (const std::optional<std::uint64_t> token = findToken(word)) {
        bool full = false;
        if (!addPosting(*token, set, full)) {
            return std::nullopt;
        }
        if (full) {
            return set;
        }
    }
    const FoldedFinder finder(word);
    // The token of a hit: the line feeds before it, counted from the
    // nearest known token start (the last token found, or a checkpoint).
    std::uint64_t knownToken = 0;
    std::uint64_t knownStart = 1;
    size_t from = 0;
    for (;;) {
        const size_t hit = finder.find(vocabulary, from);
        if (hit == std::string_view::npos) {
            break;
        }
        if (hit - knownStart > 4096 && checkpoints > 0) {
            // Jump to the last checkpoint at or before the hit.
            std::uint64_t lo = 0;
            std::uint64_t hi = checkpoints;
            while (hi - lo > 1) {
                const std::uint64_t mid = (lo + hi) / 2;
                if (readWord(sparse + 8 * mid) <= hit) {
                    lo = mid;
                } else {
                    hi = mid;
                }
            }
            const std::uint64_t start = readWord(sparse + 8 * lo);
            if (start > knownStart && start <= hit) {
                knownStart = start;
                knownToken = lo * fmt::kSparse;
            }
        }
        knownToken += static_cast<std::uint64_t>(
            std::count(vocabulary.data() + knownStart, vocabulary.data() + hit, '\n'));
        const size_t end = vocabulary.find('\n', hit);
        if (end == std::string_view::npos || knownToken >= tokens) {
            f.failed.store(true);
            return std::nullopt;
        }
        bool full = false;
        if (!addPosting(knownToken, set, full)) {
            return std::nullopt;
        }
        if (full) {
            break;  // every document holds it already
        }
        // On to the next token: a token counts once however often it holds the word.
        knownStart = end + 1;
        ++knownToken;
        from = end + 1;
    }
    return set;
}

}  // namespace search
