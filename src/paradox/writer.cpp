#include "paradox/writer.h"

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

#include "paradox/format.h"
#include "paradox/pagedfile.h"

namespace paradox {

namespace fs = std::filesystem;
namespace f = format;

namespace {

void keepError(pxdoc_t*, int level, const char* message, void* data) {
    if (level != PX_Warning && data != nullptr) {
        *static_cast<std::string*>(data) = message != nullptr ? message : "";
    }
}

bool validWriteSize(const FieldInfo& field) {
    switch (field.kind) {
        case FieldKind::Alpha:
            return field.size >= 1 && field.size <= 255;
        case FieldKind::Logical:
            return field.size == 1;
        case FieldKind::Short:
            return field.size == 2;
        case FieldKind::Date:
        case FieldKind::Long:
        case FieldKind::AutoInc:
            return field.size == 4;
        case FieldKind::Number:
        case FieldKind::Currency:
            return field.size == 8;
        case FieldKind::Graphic:
            return field.size == f::kBlobPointer;
        case FieldKind::Memo:
        case FieldKind::Blob:
        case FieldKind::FmtMemo:
            return field.size > f::kBlobPointer && field.size <= f::kBlobPointer + 240;
    }
    return false;
}

fs::path memoPathFor(const fs::path& tableFile) {
    const std::string ext = tableFile.extension().string();
    const bool lower =
        !ext.empty() && ext.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos;
    fs::path memo = tableFile;
    memo.replace_extension(lower ? ".mb" : ".MB");
    return memo;
}

void putLe32(std::string& s, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i) & 0xFF);
    }
}

}  // namespace

FieldInfo paradoxField(const engine::FieldDef& field) {
    switch (field.type) {
        case engine::FieldType::String:
            return {field.name, FieldKind::Alpha, field.size};
        case engine::FieldType::Number:
            return {field.name, FieldKind::Number, 8};
        case engine::FieldType::Memo:
            return {field.name, FieldKind::FmtMemo, f::kBlobPointer + 240};
        case engine::FieldType::Graphic:
            return {field.name, FieldKind::Graphic, f::kBlobPointer};
    }
    return {field.name, FieldKind::Alpha, field.size};
}

TableWriter::TableWriter(const fs::path& tableFile, std::vector<FieldInfo> fields)
    : tableFile_(tableFile), fields_(std::move(fields)) {
    if (fields_.empty() || fields_.size() > 255) {
        fail("a table needs 1 to 255 fields");
    }
    size_t recordSize = 0;
    bool blobs = false;
    for (const FieldInfo& field : fields_) {
        if (!validWriteSize(field) || field.name.empty() || field.name.size() > 25) {
            fail("field '" + field.name + "' of kind " + kindName(field.kind) +
                 " cannot have size " + std::to_string(field.size));
        }
        recordSize += static_cast<size_t>(field.size);
        blobs = blobs || isBlobKind(field.kind);
    }
    record_.assign(recordSize, '\0');

    doc_ = PX_new3(keepError, nullptr, nullptr, nullptr, &lastError_);
    if (doc_ == nullptr) {
        fail("pxlib could not start");
    }
    try {
        create(blobs);
    } catch (const Error&) {
        PX_delete(doc_);
        doc_ = nullptr;
        closeStreams();
        throw;
    }
}

void TableWriter::create(bool blobs) {
    // pxlib owns the field list from here and frees it with the document.
    auto* list = static_cast<pxfield_t*>(std::calloc(fields_.size(), sizeof(pxfield_t)));
    for (size_t i = 0; list != nullptr && i < fields_.size(); ++i) {
        list[i].px_fname = strdup(fields_[i].name.c_str());
        list[i].px_ftype = static_cast<char>(fields_[i].kind);
        list[i].px_flen = fields_[i].size;
    }
    tableStream_ = openPagedFile(tableFile_);
    if (list == nullptr || tableStream_ == nullptr ||
        PX_create_fp(doc_, list, static_cast<int>(fields_.size()), tableStream_,
                     pxfFileTypNonIndexDB) < 0) {
        fail("cannot create the table");
    }
    PX_set_parameter(doc_, "tablename", tableFile_.stem().c_str());
    if (blobs) {
        memoFile_ = memoPathFor(tableFile_);
        memoStream_ = openPagedFile(memoFile_);
        if (memoStream_ == nullptr || PX_set_blob_fp(doc_, memoStream_) < 0) {
            PX_close(doc_);
            fail("cannot create the memo file " + memoFile_.string());
        }
    }
}

TableWriter::~TableWriter() {
    if (doc_ != nullptr) {
        try {
            finish();
        } catch (const Error&) {
            // A writer given up on leaves its files as they are.
        }
    }
}

void TableWriter::fail(const std::string& what) const {
    throw Error(tableFile_.string() + ": " + what +
                (lastError_.empty() ? std::string() : " (" + lastError_ + ")"));
}

void TableWriter::append(const std::vector<Value>& row) {
    if (doc_ == nullptr) {
        fail("the table is already finished");
    }
    std::fill(record_.begin(), record_.end(), '\0');
    // Check every value before any blob goes to the memo file.
    char* data = record_.data();
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (i < row.size() && !row[i].isNull() && !isBlobKind(fields_[i].kind)) {
            put(fields_[i], row[i], data);
        }
        data += fields_[i].size;
    }
    data = record_.data();
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (i < row.size() && !row[i].isNull() && isBlobKind(fields_[i].kind)) {
            put(fields_[i], row[i], data);
        }
        data += fields_[i].size;
    }
    if (PX_put_record(doc_, record_.data()) < 0) {
        fail("cannot write record " + std::to_string(records_ + 1));
    }
    ++records_;
}

void TableWriter::put(const FieldInfo& field, const Value& value, char* data) {
    const bool bytes = value.kind == Value::Kind::Text || value.kind == Value::Kind::Blob;
    const bool number = value.kind == Value::Kind::Integer || value.kind == Value::Kind::Real;
    auto wrong = [&](const std::string& why) {
        fail("field " + field.name + " of record " + std::to_string(records_ + 1) + ": " + why);
    };
    auto integer = [&](long long lowest, long long highest) {
        if (value.kind != Value::Kind::Integer) {
            wrong("takes an integer");
        }
        if (value.integer < lowest || value.integer > highest) {
            wrong(std::to_string(value.integer) + " is out of range");
        }
        return value.integer;
    };
    switch (field.kind) {
        case FieldKind::Alpha:
            if (!bytes || value.bytes.size() > static_cast<size_t>(field.size) ||
                value.bytes.find('\0') != std::string::npos) {
                wrong("takes text of up to " + std::to_string(field.size) + " bytes without NUL");
            }
            scratch_ = value.bytes;
            PX_put_data_alpha(doc_, data, field.size, scratch_.data());
            return;
        case FieldKind::Number:
        case FieldKind::Currency: {
            const double v = value.kind == Value::Kind::Integer ? static_cast<double>(value.integer)
                                                                : value.real;
            if (!number || !std::isfinite(v)) {
                wrong("takes a finite number");
            }
            PX_put_data_double(doc_, data, 8, v);
            return;
        }
        case FieldKind::Short:
            PX_put_data_short(doc_, data, 2, static_cast<short>(integer(-32767, 32767)));
            return;
        case FieldKind::Long:
        case FieldKind::AutoInc:
            PX_put_data_long(doc_, data, 4,
                             static_cast<int>(integer(-std::numeric_limits<int>::max(),
                                                      std::numeric_limits<int>::max())));
            return;
        case FieldKind::Date: {
            long long day = 0;
            if (value.kind != Value::Kind::Text) {
                day = integer(1, 3652059);
            } else if (!parseDate(value.bytes, day)) {
                wrong("takes a date dd/mm/yyyy");
            }
            PX_put_data_long(doc_, data, 4, static_cast<int>(day));
            return;
        }
        case FieldKind::Logical:
            PX_put_data_byte(doc_, data, 1, integer(0, 1) != 0 ? 1 : 0);
            return;
        case FieldKind::Memo:
        case FieldKind::Blob:
        case FieldKind::FmtMemo:
        case FieldKind::Graphic:
            break;
    }
    if (!bytes || value.bytes.size() > static_cast<size_t>(std::numeric_limits<int>::max() - 16)) {
        wrong("takes text or bytes");
    }
    if (value.bytes.empty()) {
        return;
    }
    if (field.kind == FieldKind::Graphic) {
        scratch_.assign(f::kGraphicHeader, '\0');
        scratch_[0] = 1;
        scratch_[3] = 1;
        putLe32(scratch_, 4, static_cast<std::uint32_t>(value.bytes.size()));
        scratch_ += value.bytes;
    } else {
        scratch_ = value.bytes;
    }
    if (PX_put_data_blob(doc_, data, field.size, scratch_.data(),
                         static_cast<int>(scratch_.size())) < 0) {
        wrong("the memo file refused the data");
    }
}

bool TableWriter::closeStreams() {
    bool ok = true;
    for (std::FILE** stream : {&tableStream_, &memoStream_}) {
        if (*stream != nullptr) {
            ok = std::fclose(*stream) == 0 && ok;
            *stream = nullptr;
        }
    }
    return ok;
}

void TableWriter::finish() {
    if (doc_ == nullptr) {
        return;
    }
    PX_close(doc_);
    PX_delete(doc_);
    doc_ = nullptr;
    if (!closeStreams()) {
        fail("cannot write the files");
    }
    std::error_code ec;
    if (!memoFile_.empty()) {
        // pxlib leaves the last block short; Paradox memo files are whole chunks.
        const auto size = fs::file_size(memoFile_, ec);
        if (!ec && size % f::kMemoChunk != 0) {
            fs::resize_file(memoFile_, (size / f::kMemoChunk + 1) * f::kMemoChunk, ec);
        }
        if (ec) {
            fail("cannot complete the memo file " + memoFile_.string());
        }
    }
    if (!fs::is_regular_file(tableFile_, ec)) {
        fail("the table file was not written");
    }
}

}  // namespace paradox
