#include "update/sourcetable.h"

#include <sqlite3.h>
#include <strings.h>

#include "paradox/reader.h"
#include "paradox/rows.h"

namespace fs = std::filesystem;

namespace update {

using engine::Error;
using engine::FieldDef;
using engine::FieldType;
using engine::SourceValue;

namespace {

std::string quote(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return out + "\"";
}

std::string declaredType(const FieldDef& f) {
    switch (f.type) {
        case FieldType::Number:
            return "NUMBER";
        case FieldType::String:
            return "ALPHA(" + std::to_string(f.size) + ")";
        case FieldType::Memo:
            return "MEMO";
        case FieldType::Graphic:
            return "GRAPHIC";
    }
    return {};
}

bool parseType(const std::string& declared, FieldDef& f) {
    if (strcasecmp(declared.c_str(), "NUMBER") == 0) {
        f.type = FieldType::Number;
    } else if (strcasecmp(declared.c_str(), "MEMO") == 0) {
        f.type = FieldType::Memo;
    } else if (strcasecmp(declared.c_str(), "GRAPHIC") == 0) {
        f.type = FieldType::Graphic;
    } else if (declared.size() > 7 && strncasecmp(declared.c_str(), "ALPHA(", 6) == 0 &&
               declared.back() == ')') {
        const std::string digits = declared.substr(6, declared.size() - 7);
        if (digits.empty() || digits.size() > 4 ||
            digits.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        f.type = FieldType::String;
        f.size = std::stoi(digits);
    } else {
        return false;
    }
    return true;
}

// Only reads: no writes, no functions, no attached files.
int readOnlyAuthorizer(void*, int action, const char*, const char*, const char*, const char*) {
    return action == SQLITE_SELECT || action == SQLITE_READ || action == SQLITE_PRAGMA
               ? SQLITE_OK
               : SQLITE_DENY;
}

class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql, const fs::path& file) : db_(db), file_(file) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
            fail();
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool step() {
        int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            return true;
        }
        if (rc != SQLITE_DONE) {
            fail();
        }
        return false;
    }
    sqlite3_stmt* get() const { return stmt_; }
    std::string text(int col) const {
        const void* p = sqlite3_column_blob(stmt_, col);
        int n = sqlite3_column_bytes(stmt_, col);
        return p == nullptr ? std::string() : std::string(static_cast<const char*>(p), n);
    }
    [[noreturn]] void fail() const {
        throw Error("Cannot read the table file " + file_.string() + ": " + sqlite3_errmsg(db_));
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    const fs::path& file_;
};

// "file:" URI of a path, so that the read-only and immutable flags apply.
std::string fileUri(const fs::path& file) {
    std::string uri = "file:";
    for (unsigned char c : fs::absolute(file).string()) {
        if (c == '?' || c == '#' || c == '%' || c < 0x21 || c >= 0x7f) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            uri += hex;
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?mode=ro&immutable=1";
}

class SqliteSource : public engine::RowSource {
  public:
    explicit SqliteSource(const fs::path& file) : file_(file) {
        if (!fs::is_regular_file(file)) {
            throw Error("Table file not found: " + file.string());
        }
        int rc = sqlite3_open_v2(fileUri(file).c_str(), &db_,
                                 SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
        if (rc != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            sqlite3_close_v2(db_);
            throw Error("Cannot open the table file " + file.string() + ": " + message);
        }
        sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
        sqlite3_db_config(db_, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
        sqlite3_limit(db_, SQLITE_LIMIT_ATTACHED, 0);
        try {
            describe();
        } catch (...) {
            sqlite3_close_v2(db_);
            throw;
        }
        sqlite3_set_authorizer(db_, readOnlyAuthorizer, nullptr);
    }
    ~SqliteSource() override {
        rows_.reset();
        sqlite3_close_v2(db_);
    }

    const std::string& tableName() const override { return name_; }
    const std::vector<FieldDef>& fields() const override { return fields_; }

    bool next(std::vector<SourceValue>& row) override {
        if (!rows_) {
            std::string cols;
            for (const auto& f : fields_) {
                cols += (cols.empty() ? "" : ", ") + quote(f.name);
            }
            rows_ = std::make_unique<Statement>(
                db_, "SELECT " + cols + " FROM main." + quote(name_), file_);
        }
        if (!rows_->step()) {
            return false;
        }
        row.assign(fields_.size(), SourceValue{});
        for (size_t i = 0; i < fields_.size(); ++i) {
            int col = static_cast<int>(i);
            switch (sqlite3_column_type(rows_->get(), col)) {
                case SQLITE_INTEGER:
                    row[i] = static_cast<long long>(sqlite3_column_int64(rows_->get(), col));
                    break;
                case SQLITE_FLOAT:
                    row[i] = sqlite3_column_double(rows_->get(), col);
                    break;
                case SQLITE_NULL:
                    break;
                default:
                    row[i] = rows_->text(col);
            }
        }
        return true;
    }

  private:
    // The one plain table of the file and its columns.
    void describe() {
        {
            Statement tables(db_,
                             "SELECT name, sql FROM main.sqlite_master WHERE type = 'table' AND "
                             "name NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
                             file_);
            int count = 0;
            std::string sql;
            while (tables.step()) {
                ++count;
                name_ = tables.text(0);
                sql = tables.text(1);
            }
            if (count != 1) {
                throw Error("The file " + file_.string() + " does not hold exactly one table");
            }
            if (strncasecmp(sql.c_str(), "CREATE TABLE", 12) != 0) {
                throw Error("The table of " + file_.string() + " is no plain table");
            }
        }
        Statement columns(db_, "PRAGMA main.table_xinfo(" + quote(name_) + ")", file_);
        while (columns.step()) {
            FieldDef f;
            f.name = columns.text(1);
            if (sqlite3_column_int(columns.get(), 6) != 0 || !parseType(columns.text(2), f)) {
                throw Error("The column " + f.name + " of " + file_.string() +
                            " has no field type of a table");
            }
            fields_.push_back(f);
        }
        if (fields_.empty()) {
            throw Error("The table of " + file_.string() + " has no fields");
        }
    }

    fs::path file_;
    sqlite3* db_ = nullptr;
    std::string name_;
    std::vector<FieldDef> fields_;
    std::unique_ptr<Statement> rows_;
};

}  // namespace

std::unique_ptr<engine::RowSource> openSourceTable(const fs::path& file) {
    if (paradox::isParadoxTable(file)) {
        return paradox::openRowSource(file);
    }
    return std::make_unique<SqliteSource>(file);
}

struct SourceTableWriter::Impl {
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    fs::path file;
    fs::path part;
    std::vector<FieldDef> fields;

    void check(int rc) const {
        if (rc != SQLITE_OK && rc != SQLITE_DONE) {
            throw Error("Cannot write the table file " + file.string() + ": " + sqlite3_errmsg(db));
        }
    }
    void exec(const std::string& sql) const {
        check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr));
    }
    void close() {
        sqlite3_finalize(insert);
        insert = nullptr;
        sqlite3_close_v2(db);
        db = nullptr;
    }
};

SourceTableWriter::SourceTableWriter(const fs::path& file, const std::string& table,
                                     const std::vector<FieldDef>& fields)
    : impl_(std::make_unique<Impl>()) {
    Impl& im = *impl_;
    im.file = file;
    im.part = file.string() + ".part";
    im.fields = fields;
    std::error_code ec;
    fs::remove(im.part, ec);
    if (sqlite3_open_v2(im.part.c_str(), &im.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        im.close();
        throw Error("Cannot create the table file " + file.string());
    }
    std::string cols, marks;
    for (const auto& f : fields) {
        cols += (cols.empty() ? "" : ", ") + quote(f.name) + " " + declaredType(f);
        marks += marks.empty() ? "?" : ", ?";
    }
    im.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN");
    im.exec("CREATE TABLE " + quote(table) + " (" + cols + ")");
    im.check(sqlite3_prepare_v2(im.db,
                                ("INSERT INTO " + quote(table) + " VALUES (" + marks + ")").c_str(),
                                -1, &im.insert, nullptr));
}

SourceTableWriter::~SourceTableWriter() {
    if (impl_->db != nullptr) {
        impl_->close();
        std::error_code ec;
        fs::remove(impl_->part, ec);
    }
}

void SourceTableWriter::add(const std::vector<SourceValue>& row) {
    Impl& im = *impl_;
    sqlite3_reset(im.insert);
    for (size_t i = 0; i < im.fields.size(); ++i) {
        int n = static_cast<int>(i + 1);
        const SourceValue& v = i < row.size() ? row[i] : SourceValue{};
        if (const auto* integer = std::get_if<long long>(&v)) {
            sqlite3_bind_int64(im.insert, n, *integer);
        } else if (const auto* number = std::get_if<double>(&v)) {
            sqlite3_bind_double(im.insert, n, *number);
        } else if (const auto* bytes = std::get_if<std::string>(&v)) {
            if (im.fields[i].type == FieldType::String) {
                sqlite3_bind_text(im.insert, n, bytes->data(), static_cast<int>(bytes->size()),
                                  SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_blob(im.insert, n, bytes->data(), static_cast<int>(bytes->size()),
                                  SQLITE_TRANSIENT);
            }
        } else {
            sqlite3_bind_null(im.insert, n);
        }
    }
    im.check(sqlite3_step(im.insert));
}

void SourceTableWriter::finish() {
    Impl& im = *impl_;
    im.exec("COMMIT");
    im.close();
    std::error_code ec;
    fs::rename(im.part, im.file, ec);
    if (ec) {
        throw Error("Cannot write the table file " + im.file.string());
    }
}

}  // namespace update
