#pragma once
// Writes a Paradox table file (.DB, unkeyed) and, when it has blob fields,
// its memo file (.MB) with pxlib, through paged streams (pagedfile.h). Text
// bytes are written as they are (no character translation). The memo file
// is padded to whole 4 KB chunks, which pxlib leaves undone, and graphic
// fields get the graphic header in front of the picture, as Paradox keeps
// them.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "paradox/types.h"

struct px_doc;

namespace paradox {

class TableWriter {
  public:
    // Creates tableFile, replacing one that exists, and for blob fields the
    // memo file beside it (extension "MB", or "mb" when the table's is
    // lower case). Field sizes as in FieldInfo: Alpha 1 to 255, blob kinds
    // a leader of 0 to 240 bytes plus 10 (Graphic: 10 only), the other
    // kinds their fixed size. Throws Error when the files cannot be made.
    TableWriter(const std::filesystem::path& tableFile, std::vector<FieldInfo> fields);
    ~TableWriter();  // finishes the files when finish() has not run
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    // Appends a record, one value per field (missing ones blank). Throws
    // Error when a value does not fit its field; nothing is written then.
    // Text fields take Text or Blob values (no NUL bytes); numeric fields
    // Integer or Real; Date "dd/mm/yyyy" text or a day number; blob fields
    // Text or Blob.
    void append(const std::vector<Value>& row);

    // Closes the files; throws Error when they cannot be completed.
    void finish();

    long long records() const { return records_; }
    const std::filesystem::path& memoFile() const { return memoFile_; }

  private:
    void create(bool blobs);
    bool closeStreams();
    void put(const FieldInfo& field, const Value& value, char* data);
    [[noreturn]] void fail(const std::string& what) const;

    std::filesystem::path tableFile_;
    std::filesystem::path memoFile_;  // empty without blob fields
    std::vector<FieldInfo> fields_;
    px_doc* doc_ = nullptr;
    std::FILE* tableStream_ = nullptr;
    std::FILE* memoStream_ = nullptr;
    std::string record_;
    std::string scratch_;
    std::string lastError_;
    long long records_ = 0;
};

// The field this program writes for an engine field: String as Alpha of its
// size, Number as Number, Memo as formatted memo with a 240-byte leader,
// Graphic as Graphic.
FieldInfo paradoxField(const engine::FieldDef& field);

}  // namespace paradox
