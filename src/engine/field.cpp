// Field handles: reading and setting one field of a table's current row.
#include "engine/table.h"
#include "engine/table_impl.h"

namespace engine {

using detail::Cell;

const std::string& Field::name() const {
    return table_->definition().fields[static_cast<size_t>(index_)].name;
}

FieldType Field::type() const {
    return table_->definition().fields[static_cast<size_t>(index_)].type;
}

int Field::size() const {
    return table_->definition().fields[static_cast<size_t>(index_)].size;
}

bool Field::isNull() const {
    return table_->impl_->cell(index_).isNull();
}

std::string Field::asString() const {
    return detail::cellToString(table_->impl_->cell(index_));
}

long long Field::asInteger() const {
    return detail::cellToInteger(table_->impl_->cell(index_), name());
}

double Field::asFloat() const {
    return detail::cellToFloat(table_->impl_->cell(index_), name());
}

size_t Field::dataSize() const {
    switch (type()) {
        case FieldType::Memo:
        case FieldType::Graphic:
            return table_->impl_->blobSize(index_);
        case FieldType::Number:
            return isNull() ? 0 : sizeof(double);
        case FieldType::String:
            break;
    }
    return asString().size();
}

void Table::Impl::setField(int index, Cell value) {
    checkOpen();
    if (!editing()) {
        throw Error("Dataset not in edit or insert mode: " + self.name_);
    }
    editBuffer[index] = std::move(value);
    notify(Event::FieldChanged);
}

void Field::setString(const std::string& value) const {
    const FieldDef& def = table_->definition().fields[static_cast<size_t>(index_)];
    table_->impl_->setField(index_, detail::cellFromString(def, value));
}

void Field::setInteger(long long value) const {
    const FieldDef& def = table_->definition().fields[static_cast<size_t>(index_)];
    table_->impl_->setField(index_, detail::cellFromInteger(def, value));
}

void Field::setFloat(double value) const {
    const FieldDef& def = table_->definition().fields[static_cast<size_t>(index_)];
    table_->impl_->setField(index_, detail::cellFromFloat(def, value));
}

void Field::setBytes(const std::string& bytes) const {
    setString(bytes);
}

void Field::clear() const {
    table_->impl_->setField(index_, Cell::null());
}

}  // namespace engine
