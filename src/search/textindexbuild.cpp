#include "search/textindexbuild.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <queue>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/session.h"
#include "engine/sidedata.h"

namespace search {

namespace fmt = indexformat;
namespace fs = std::filesystem;

namespace {

[[noreturn]] void fileError(const std::string& what, const std::string& path) {
    throw engine::Error("cannot " + what + " " + path + ": " + std::strerror(errno));
}

// A temporary file beside the index, removed when dropped.
class TempFile {
  public:
    explicit TempFile(std::string path) : path_(std::move(path)) {}
    ~TempFile() {
        if (!path_.empty()) {
            std::error_code ec;
            fs::remove(path_, ec);
        }
    }
    TempFile(TempFile&& other) noexcept : path_(std::exchange(other.path_, {})) {}
    TempFile& operator=(TempFile&&) = delete;
    const std::string& path() const { return path_; }
    void keep() { path_.clear(); }

  private:
    std::string path_;
};

std::FILE* openFile(const std::string& path, bool write) {
    std::FILE* file = std::fopen(path.c_str(), write ? "wb" : "rb");
    if (file == nullptr) {
        fileError(write ? "create" : "open", path);
    }
    return file;
}

class Writer {
  public:
    explicit Writer(const std::string& path) : path_(path), file_(openFile(path, true)) {
        buffer_.reserve(kBuffer);
    }
    ~Writer() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    void put(const char* bytes, size_t n) {
        written_ += n;
        if (buffer_.size() + n > kBuffer) {
            flush();
        }
        if (n >= kBuffer) {
            write(bytes, n);
        } else {
            buffer_.append(bytes, n);
        }
    }
    void put(std::string_view s) { put(s.data(), s.size()); }
    void putU32(std::uint32_t v) { put(reinterpret_cast<const char*>(&v), 4); }
    void putU64(std::uint64_t v) { put(reinterpret_cast<const char*>(&v), 8); }
    void putVarint(std::uint32_t v) {
        char b[5];
        size_t n = 0;
        while (v >= 0x80) {
            b[n++] = static_cast<char>((v & 0x7F) | 0x80);
            v >>= 7;
        }
        b[n++] = static_cast<char>(v);
        put(b, n);
    }
    std::uint64_t written() const { return written_; }

    // Flushes and closes; with sync, waits for the disk too.
    void close(bool sync) {
        flush();
        if (sync && (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0)) {
            fileError("write", path_);
        }
        if (std::fclose(std::exchange(file_, nullptr)) != 0) {
            fileError("write", path_);
        }
    }

  private:
    static constexpr size_t kBuffer = size_t{1} << 20;

    void flush() {
        write(buffer_.data(), buffer_.size());
        buffer_.clear();
    }
    void write(const char* bytes, size_t n) {
        if (n > 0 && std::fwrite(bytes, 1, n, file_) != n) {
            fileError("write", path_);
        }
    }

    std::string path_;
    std::FILE* file_ = nullptr;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

class Reader {
  public:
    explicit Reader(const std::string& path) : path_(path), file_(openFile(path, false)) {}
    ~Reader() { std::fclose(file_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool atEnd() { return !fill(1); }
    std::uint64_t u64() {
        std::string bytes8;
        bytes(8, bytes8);
        std::uint64_t v;
        std::memcpy(&v, bytes8.data(), 8);
        return v;
    }
    std::uint32_t varint() {
        std::uint32_t v = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            if (!fill(1)) {
                throw engine::Error("a run of the index build is cut short: " + path_);
            }
            const auto byte = static_cast<unsigned char>(buffer_[at_++]);
            v |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
            if ((byte & 0x80) == 0) {
                break;
            }
        }
        return v;
    }
    void bytes(size_t n, std::string& out) {
        out.clear();
        while (n > 0) {
            if (!fill(1)) {
                throw engine::Error("a run of the index build is cut short: " + path_);
            }
            const size_t take = std::min(n, end_ - at_);
            out.append(buffer_.data() + at_, take);
            at_ += take;
            n -= take;
        }
    }
    // Copies the rest of the file to out.
    void copyTo(Writer& out) {
        while (fill(1)) {
            out.put(buffer_.data() + at_, end_ - at_);
            at_ = end_;
        }
    }

  private:
    bool fill(size_t n) {
        if (end_ - at_ >= n) {
            return true;
        }
        std::memmove(buffer_.data(), buffer_.data() + at_, end_ - at_);
        end_ -= at_;
        at_ = 0;
        end_ += std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
        return end_ - at_ >= n;
    }

    std::string path_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_ = std::vector<char>(size_t{1} << 18);
    size_t at_ = 0;
    size_t end_ = 0;
};

std::uint64_t hashOf(std::string_view s) {
    return fmt::tokenHash(s);
}

constexpr int kParts = 256;  // runs are cut by the top byte of the token hash

int partOf(std::uint64_t hash) {
    return static_cast<int>(hash >> 56);
}

using fmt::tokenBefore;

// The tokens of the documents since the last spill, kept as records
// (document, length, bytes) in one buffer per part of the hash space, so
// that grouping them at the spill works on one small part at a time, in
// the processor's cache. A document's tokens are recorded once each.
class Run {
  public:
    Run() : parts_(kParts) {}

    // size: the bytes of the document's text, at most what its tokens take.
    void beginDocument(std::uint32_t document, size_t size) {
        document_ = document;
        ++stamp_;
        seen_ = 0;
        // The folded tokens of the document stay in one buffer while it is
        // added (the set of its tokens points into it): never moved meanwhile.
        folded_.clear();
        folded_.reserve(size);
    }

    // A token as the text holds it: A-Z are folded here.
    void add(std::string_view raw) {
        if (raw.size() > 0xFFFF) {
            raw = raw.substr(0, 0xFFFF);  // never searched for whole: cut to fit
        }
        const size_t at = folded_.size();
        for (char c : raw) {
            folded_.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
        const std::string_view token(folded_.data() + at, raw.size());
        const std::uint64_t h = hashOf(token);
        if ((seen_ + 1) * 2 > local_.size()) {
            growLocal();
        }
        const size_t mask = local_.size() - 1;
        for (size_t slot = static_cast<size_t>(h) & mask;; slot = (slot + 1) & mask) {
            Local& l = local_[slot];
            if (l.stamp != stamp_) {
                l = {stamp_, h, token};
                ++seen_;
                break;
            }
            if (l.hash == h && l.token == token) {
                folded_.resize(at);
                return;  // once per document
            }
        }
        std::string& part = parts_[static_cast<size_t>(partOf(h))];
        const auto length = static_cast<std::uint16_t>(token.size());
        const size_t end = part.size();
        part.resize(end + kHead + token.size());
        char* out = part.data() + end;
        std::memcpy(out, &h, 8);
        std::memcpy(out + 8, &document_, 4);
        std::memcpy(out + 12, &length, 2);
        std::memcpy(out + kHead, token.data(), token.size());
        bytes_ += kHead + token.size();
    }

    size_t bytes() const { return bytes_; }
    bool empty() const { return bytes_ == 0; }

    // Writes the run part by part: for each part the count of its tokens,
    // then each token (in tokenBefore order) with its hash, length and bytes, the
    // count of its documents and the documents as deltas (the first as it is).
    void spill(Writer& out) {
        for (std::string& part : parts_) {
            spillPart(part, out);
            part.clear();  // kept for the next run
        }
        bytes_ = 0;
    }

  private:
    struct Local {
        std::uint64_t stamp = 0;
        std::uint64_t hash = 0;
        std::string_view token;
    };
    struct Group {
        std::uint64_t hash;
        std::string_view token;
        std::uint32_t count;
        std::uint32_t first;  // in docs
    };

    void growLocal() {
        std::vector<Local> old(std::max<size_t>(4096, local_.size() * 2));
        old.swap(local_);
        const size_t mask = local_.size() - 1;
        for (const Local& l : old) {
            if (l.stamp == stamp_) {
                size_t slot = static_cast<size_t>(l.hash) & mask;
                while (local_[slot].stamp == stamp_) {
                    slot = (slot + 1) & mask;
                }
                local_[slot] = l;
            }
        }
    }

    // A record: the token's hash, the document, the length, the bytes.
    static constexpr size_t kHead = 14;

    template <typename Visit>
    static void records(const std::string& part, Visit visit) {
        size_t at = 0;
        while (at < part.size()) {
            std::uint64_t hash;
            std::uint32_t document;
            std::uint16_t length;
            std::memcpy(&hash, part.data() + at, 8);
            std::memcpy(&document, part.data() + at + 8, 4);
            std::memcpy(&length, part.data() + at + 12, 2);
            visit(hash, document, std::string_view(part.data() + at + kHead, length));
            at += kHead + length;
        }
    }

    void spillPart(const std::string& part, Writer& out) {
        groups_.clear();
        size_t records = 0;
        countRecords(part, records);
        std::vector<std::uint32_t> table(std::max<size_t>(64, std::bit_ceil(records * 2)), 0);
        const size_t mask = table.size() - 1;
        std::vector<std::uint32_t> ids;
        ids.reserve(records);
        Run::records(part, [&](std::uint64_t h, std::uint32_t, std::string_view token) {
            size_t slot = static_cast<size_t>(h) & mask;
            for (;; slot = (slot + 1) & mask) {
                const std::uint32_t g = table[slot];
                if (g == 0) {
                    groups_.push_back({h, token, 0, 0});
                    table[slot] = static_cast<std::uint32_t>(groups_.size());
                    break;
                }
                if (groups_[g - 1].hash == h && groups_[g - 1].token == token) {
                    break;
                }
            }
            const std::uint32_t id = table[slot] - 1;
            ++groups_[id].count;
            ids.push_back(id);
        });
        std::uint32_t sum = 0;
        for (Group& g : groups_) {
            g.first = sum;
            sum += g.count;
            g.count = 0;
        }
        std::vector<std::uint32_t> docs(sum);
        size_t k = 0;
        Run::records(part, [&](std::uint64_t, std::uint32_t document, std::string_view) {
            Group& g = groups_[ids[k++]];
            docs[g.first + g.count++] = document;
        });
        std::vector<std::uint32_t> order(groups_.size());
        for (size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<std::uint32_t>(i);
        }
        std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return tokenBefore(groups_[a].hash, groups_[a].token, groups_[b].hash,
                               groups_[b].token);
        });
        out.putVarint(static_cast<std::uint32_t>(order.size()));
        for (std::uint32_t id : order) {
            const Group& g = groups_[id];
            out.putU64(g.hash);
            out.putVarint(static_cast<std::uint32_t>(g.token.size()));
            out.put(g.token);
            out.putVarint(g.count);
            std::uint32_t previous = 0;
            for (std::uint32_t d = g.first; d < g.first + g.count; ++d) {
                out.putVarint(docs[d] - previous);
                previous = docs[d];
            }
        }
    }

    static void countRecords(const std::string& part, size_t& n) {
        records(part, [&](std::uint64_t, std::uint32_t, std::string_view) { ++n; });
    }

    std::vector<std::string> parts_;
    size_t bytes_ = 0;
    std::uint32_t document_ = 0;
    std::uint64_t stamp_ = 0;
    size_t seen_ = 0;
    std::vector<Local> local_;
    std::string folded_;
    std::vector<Group> groups_;
};

// One run being merged: the tokens of its current part.
struct RunCursor {
    std::unique_ptr<Reader> reader;
    std::uint32_t left = 0;  // tokens of the part not read yet
    std::string token;
    std::uint64_t hash = 0;
    std::uint32_t count = 0;

    void beginPart() { left = reader->varint(); }
    bool next() {
        if (left == 0) {
            return false;
        }
        --left;
        hash = reader->u64();
        reader->bytes(reader->varint(), token);
        count = reader->varint();
        return true;
    }
    void documents(std::vector<std::uint32_t>& out) {
        std::uint32_t doc = 0;
        for (std::uint32_t k = 0; k < count; ++k) {
            doc += reader->varint();
            out.push_back(doc);
        }
    }
};

// Writes the final file: the header, then the parts in order, with a
// checksum for every block of kBlock bytes, and the checksum table last.
class IndexWriter {
  public:
    explicit IndexWriter(const std::string& path) : out_(path) {}

    void put(const char* bytes, size_t n) {
        out_.put(bytes, n);
        while (n > 0) {
            const size_t take = std::min(n, static_cast<size_t>(fmt::kBlock) - block_.size());
            block_.append(bytes, take);
            bytes += take;
            n -= take;
            if (block_.size() == fmt::kBlock) {
                endBlock();
            }
        }
    }
    void copy(const std::string& path) {
        std::vector<char> chunk(size_t{1} << 18);
        std::FILE* f = openFile(path, false);
        size_t n = 0;
        while ((n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0) {
            put(chunk.data(), n);
        }
        std::fclose(f);
    }
    // Ends the covered part and writes the checksum table.
    std::string finish() {
        if (!block_.empty()) {
            endBlock();
        }
        std::string table;
        for (std::uint64_t s : sums_) {
            table.append(reinterpret_cast<const char*>(&s), 8);
        }
        out_.put(table);
        out_.close(true);
        return table;
    }

  private:
    void endBlock() {
        sums_.push_back(fmt::checksum(block_.data(), block_.size()));
        block_.clear();
    }

    Writer out_;
    std::string block_;
    std::vector<std::uint64_t> sums_;
};

std::uint32_t checkedU32(std::uint64_t n) {
    if (n >= fmt::kBitmapKind) {
        throw engine::Error("the text index is too large");
    }
    return static_cast<std::uint32_t>(n);
}

long long newBuild() {
    std::random_device random;
    long long build = 0;
    while (build == 0) {
        build = static_cast<long long>((static_cast<std::uint64_t>(random()) << 32) ^ random()) &
                0x7FFFFFFFFFFFFFFFll;
    }
    return build;
}

// Texts read from a copy a batch at a time.
struct TextBatch {
    struct Text {
        std::optional<long long> key;
        size_t offset = 0;
        size_t size = 0;
        bool known = false;
    };
    std::string bytes;
    std::vector<Text> texts;
};

// Reads the copies on a thread of its own, a few batches ahead of the
// build, so that reading the database and cutting tokens overlap. The copy's
// database is used by that thread alone until the reader is dropped.
class TextReader {
  public:
    explicit TextReader(const engine::TextCopy& copy) : copy_(copy), thread_([this] { read(); }) {}
    ~TextReader() {
        {
            std::lock_guard guard(lock_);
            stop_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    // The next batch; nullptr at the end. Rethrows the reader's error.
    std::unique_ptr<TextBatch> next() {
        std::unique_lock guard(lock_);
        changed_.wait(guard, [&] { return !ready_.empty() || done_; });
        if (ready_.empty()) {
            if (error_) {
                std::rethrow_exception(error_);
            }
            return nullptr;
        }
        std::unique_ptr<TextBatch> batch = std::move(ready_.front());
        ready_.pop_front();
        changed_.notify_all();
        return batch;
    }

  private:
    static constexpr size_t kAhead = 2;
    static constexpr long long kBatch = 256;

    void read() {
        try {
            long long after = 0;
            for (;;) {
                auto batch = std::make_unique<TextBatch>();
                after = copy_.scan(
                    [&](const engine::TextCopyEntry& e) {
                        TextBatch::Text t;
                        t.key = e.key;
                        t.known = e.text.has_value();
                        if (e.text) {
                            t.offset = batch->bytes.size();
                            t.size = e.text->size();
                            batch->bytes.append(*e.text);
                        }
                        batch->texts.push_back(t);
                        return true;
                    },
                    after, kBatch);
                std::unique_lock guard(lock_);
                if (batch->texts.empty() || stop_) {
                    break;
                }
                ready_.push_back(std::move(batch));
                changed_.notify_all();
                changed_.wait(guard, [&] { return ready_.size() < kAhead || stop_; });
                if (stop_) {
                    break;
                }
            }
        } catch (...) {
            std::lock_guard guard(lock_);
            error_ = std::current_exception();
        }
        std::lock_guard guard(lock_);
        done_ = true;
        changed_.notify_all();
    }

    const engine::TextCopy& copy_;
    std::mutex lock_;
    std::condition_variable changed_;
    std::deque<std::unique_ptr<TextBatch>> ready_;
    bool stop_ = false;
    bool done_ = false;
    std::exception_ptr error_;
    std::thread thread_;
};

}  // namespace

std::optional<BuildReport> buildTextIndex(
    engine::Database& db, TextTable table, size_t memoryBudget,
    const std::function<bool(long long, long long, int)>& progress) {
    const engine::TextCopy copy = textCopy(db, table);
    const std::optional<long long> generation = copy.generation();
    if (!generation) {
        throw engine::Error("the plain texts of " + copy.spec().table + " are not current");
    }
    const std::string path = textIndexPath(db, table);
    const std::string stem = path + ".build-" + std::to_string(::getpid()) + "-";
    int files = 0;
    auto tempFile = [&]() { return TempFile(stem + std::to_string(files++)); };

    // Pass over the texts: documents in storage order, runs spilled when
    // the budget is reached.
    const long long total = copy.count();
    std::vector<TempFile> runs;
    std::vector<std::pair<long long, std::uint32_t>> keys;  // key, document
    std::vector<long long> sharedKeys;
    Run run;
    std::uint32_t documents = 0;
    TextReader reader(copy);
    for (;;) {
        const std::unique_ptr<TextBatch> batch = reader.next();
        if (!batch) {
            break;
        }
        for (const TextBatch::Text& t : batch->texts) {
            if (t.key) {
                keys.emplace_back(*t.key, documents);
            }
            run.beginDocument(documents, t.size);
            if (t.known) {
                const std::string_view text(batch->bytes.data() + t.offset, t.size);
                size_t i = 0;
                while (i < text.size()) {
                    while (i < text.size() && isTokenSpace(text[i])) {
                        ++i;
                    }
                    const size_t start = i;
                    while (i < text.size() && !isTokenSpace(text[i])) {
                        ++i;
                    }
                    if (i > start) {
                        run.add(text.substr(start, i - start));
                    }
                }
            } else if (t.key) {
                sharedKeys.push_back(*t.key);  // unknown: the searches read it
            }
            ++documents;
        }
        if (run.bytes() > memoryBudget) {
            runs.push_back(tempFile());
            Writer w(runs.back().path());
            run.spill(w);
            w.close(false);
        }
        if (progress && !progress(documents, total, 0)) {
            return std::nullopt;
        }
    }
    if (!run.empty() || runs.empty()) {
        runs.push_back(tempFile());
        Writer w(runs.back().path());
        run.spill(w);
        w.close(false);
    }

    // Keys held by one document only.
    std::sort(keys.begin(), keys.end());
    std::sort(sharedKeys.begin(), sharedKeys.end());
    std::vector<std::pair<long long, std::uint32_t>> unique;
    for (size_t k = 0; k < keys.size(); ++k) {
        const bool shared = (k > 0 && keys[k - 1].first == keys[k].first) ||
                            (k + 1 < keys.size() && keys[k + 1].first == keys[k].first) ||
                            std::binary_search(sharedKeys.begin(), sharedKeys.end(), keys[k].first);
        if (!shared) {
            unique.push_back(keys[k]);
        }
    }
    keys.clear();
    keys.shrink_to_fit();

    // Merge the runs into the vocabulary, the posting offsets and the postings.
    TempFile vocabularyFile = tempFile();
    TempFile startsFile = tempFile();
    TempFile postingsFile = tempFile();
    Writer vocabulary(vocabularyFile.path());
    Writer starts(startsFile.path());
    Writer postings(postingsFile.path());
    std::vector<std::uint64_t> sparse;
    vocabulary.put("\n");
    std::vector<RunCursor> cursors;
    for (const TempFile& r : runs) {
        cursors.push_back({std::make_unique<Reader>(r.path())});
    }
    auto later = [&](size_t a, size_t b) {
        const RunCursor& x = cursors[a];
        const RunCursor& y = cursors[b];
        if (x.hash != y.hash || x.token != y.token) {
            return tokenBefore(y.hash, y.token, x.hash, x.token);
        }
        return a > b;  // the earlier run holds the earlier documents
    };
    const size_t bitmapBytes = (static_cast<size_t>(documents) + 7) / 8;
    std::uint64_t tokens = 0;
    std::vector<std::uint32_t> docs;
    std::string deltas;
    std::string token;
    for (int part = 0; part < kParts; ++part) {
        std::priority_queue<size_t, std::vector<size_t>, decltype(later)> heap(later);
        for (size_t r = 0; r < cursors.size(); ++r) {
            cursors[r].beginPart();
            if (cursors[r].next()) {
                heap.push(r);
            }
        }
        while (!heap.empty()) {
            docs.clear();
            const size_t r0 = heap.top();
            token = cursors[r0].token;
            const std::uint64_t hash = cursors[r0].hash;
            while (!heap.empty() && cursors[heap.top()].hash == hash &&
                   cursors[heap.top()].token == token) {
                const size_t r = heap.top();
                heap.pop();
                cursors[r].documents(docs);
                if (cursors[r].next()) {
                    heap.push(r);
                }
            }
            if (tokens % fmt::kSparse == 0) {
                sparse.push_back(vocabulary.written());
            }
            vocabulary.put(token);
            vocabulary.put("\n");
            deltas.clear();
            std::uint32_t previous = 0;
            for (std::uint32_t d : docs) {
                std::uint32_t v = d - previous;
                previous = d;
                while (v >= 0x80) {
                    deltas.push_back(static_cast<char>((v & 0x7F) | 0x80));
                    v >>= 7;
                }
                deltas.push_back(static_cast<char>(v));
            }
            const std::uint32_t at = checkedU32(postings.written());
            if (deltas.size() > bitmapBytes) {
                // A common token: one bit per document is smaller.
                std::string bits(bitmapBytes, '\0');
                for (std::uint32_t d : docs) {
                    bits[d / 8] = static_cast<char>(bits[d / 8] | (1 << (d % 8)));
                }
                starts.putU32(at | fmt::kBitmapKind);
                postings.put(bits);
            } else {
                starts.putU32(at);
                postings.put(deltas);
            }
            ++tokens;
        }
        if (progress && !progress(part + 1, kParts, 1)) {
            return std::nullopt;
        }
    }
    starts.putU32(checkedU32(postings.written()));
    cursors.clear();
    runs.clear();
    vocabulary.close(false);
    starts.close(false);
    postings.close(false);

    // The file: header, keys, vocabulary, checkpoints, offsets, postings.
    std::uint64_t word[fmt::kWords] = {};
    std::memcpy(&word[fmt::kMagicWord], fmt::kMagic, 8);
    const long long build = newBuild();
    word[fmt::kBuild] = static_cast<std::uint64_t>(build);
    word[fmt::kDocuments] = documents;
    word[fmt::kTokens] = tokens;
    word[fmt::kKeysOffset] = fmt::kHeaderSize;
    word[fmt::kVocabularyOffset] = word[fmt::kKeysOffset] + unique.size() * 16;
    word[fmt::kVocabularySize] = fs::file_size(vocabularyFile.path());
    word[fmt::kSparseOffset] = word[fmt::kVocabularyOffset] + word[fmt::kVocabularySize];
    word[fmt::kStartsOffset] = word[fmt::kSparseOffset] + sparse.size() * 8;
    word[fmt::kPostingsOffset] = word[fmt::kStartsOffset] + (tokens + 1) * 4;
    word[fmt::kPostingsSize] = fs::file_size(postingsFile.path());
    word[fmt::kChecksumsOffset] = word[fmt::kPostingsOffset] + word[fmt::kPostingsSize];
    word[fmt::kBlocks] = (word[fmt::kChecksumsOffset] + fmt::kBlock - 1) / fmt::kBlock;
    word[fmt::kFileSize] = word[fmt::kChecksumsOffset] + word[fmt::kBlocks] * 8;
    word[fmt::kKeyCount] = unique.size();

    TempFile target = tempFile();
    IndexWriter out(target.path());
    out.put(reinterpret_cast<const char*>(word), sizeof word);
    for (const auto& [key, document] : unique) {
        const std::uint64_t pair[2] = {static_cast<std::uint64_t>(key), document};
        out.put(reinterpret_cast<const char*>(pair), sizeof pair);
    }
    out.copy(vocabularyFile.path());
    out.put(reinterpret_cast<const char*>(sparse.data()), sparse.size() * 8);
    out.copy(startsFile.path());
    out.copy(postingsFile.path());
    const std::string sums = out.finish();
    if (progress && !progress(1, 1, 1)) {
        return std::nullopt;
    }
    std::error_code ec;
    fs::rename(target.path(), path, ec);
    if (ec) {
        throw engine::Error("cannot write " + path + ": " + ec.message());
    }
    target.keep();

    std::string head(reinterpret_cast<const char*>(word), sizeof word);
    head += sums;
    fmt::State state;
    state.build = build;
    state.generation = *generation;
    state.size = static_cast<long long>(word[fmt::kFileSize]);
    state.checksum = fmt::checksum(head.data(), head.size());
    state.documents = documents;
    state.tokens = static_cast<long long>(tokens);
    engine::setSideValue(db, fmt::stateName(table), fmt::encodeState(state));
    return BuildReport{documents, static_cast<long long>(tokens), state.size};
}

}  // namespace search
