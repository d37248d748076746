#include "paradox/rows.h"

#include "paradox/reader.h"

namespace paradox {

namespace fs = std::filesystem;

namespace {

class ParadoxRows : public engine::RowSource {
  public:
    explicit ParadoxRows(const fs::path& tableFile) : name_(tableFile.stem().string()) {
        try {
            reader_ = TableReader::open(tableFile);
        } catch (const Error& e) {
            throw engine::Error(e.what());
        }
        for (const FieldInfo& field : reader_->fields()) {
            fields_.push_back(field.engineField());
        }
    }

    const std::string& tableName() const override { return name_; }
    const std::vector<engine::FieldDef>& fields() const override { return fields_; }

    bool next(std::vector<engine::SourceValue>& row) override {
        try {
            if (!reader_->next(values_)) {
                return false;
            }
        } catch (const Error& e) {
            throw engine::Error(e.what());
        }
        row.resize(values_.size());
        for (size_t i = 0; i < values_.size(); ++i) {
            row[i] = sourceValue(values_[i]);
        }
        return true;
    }

  private:
    std::string name_;
    std::unique_ptr<TableReader> reader_;
    std::vector<engine::FieldDef> fields_;
    std::vector<Value> values_;
};

}  // namespace

std::unique_ptr<engine::RowSource> openRowSource(const fs::path& tableFile) {
    return std::make_unique<ParadoxRows>(tableFile);
}

engine::SourceValue sourceValue(const Value& value) {
    switch (value.kind) {
        case Value::Kind::Integer:
            return value.integer;
        case Value::Kind::Real:
            return value.real;
        case Value::Kind::Text:
        case Value::Kind::Blob:
            return value.bytes;
        case Value::Kind::Null:
            break;
    }
    return {};
}

Value paradoxValue(const engine::SourceValue& value, const engine::FieldDef& field) {
    if (const auto* integer = std::get_if<long long>(&value)) {
        return Value::ofInteger(*integer);
    }
    if (const auto* real = std::get_if<double>(&value)) {
        return Value::ofReal(*real);
    }
    if (const auto* bytes = std::get_if<std::string>(&value)) {
        return field.type == engine::FieldType::String ? Value::ofText(*bytes)
                                                       : Value::ofBlob(*bytes);
    }
    return Value::null();
}

}  // namespace paradox
