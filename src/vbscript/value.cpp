// Construction of Values and the storage rules of script arrays.
#include "vbscript/value.h"

#include "vbscript/errors.h"
#include "vbscript/host_object.h"

namespace vbs {

namespace {
const std::u16string kEmptyText;
}

Value Value::null() {
    return Value(Type::Null);
}
Value Value::byte(std::uint8_t x) {
    return Value(Type::Byte, x);
}
Value Value::single(float x) {
    return Value(Type::Single, std::bit_cast<std::uint32_t>(x));
}
Value Value::currency(std::int64_t scaled) {
    Value v(Type::Currency);
    v.n_.i64 = scaled;
    return v;
}
Value Value::date(double serial) {
    Value v(Type::Date);
    v.n_.d = serial;
    return v;
}
Value Value::string(std::u16string text) {
    Value v(Type::String);
    if (!text.empty())
        v.heap_ = Ref<RefCounted>(new StringCell(std::move(text)));
    return v;
}
Value Value::object(Ref<HostObject> obj) {
    Value v(Type::Object);
    v.heap_ = Ref<RefCounted>(obj.get());
    return v;
}
Value Value::nothing() {
    return Value(Type::Object);
}
Value Value::error(std::int32_t code) {
    return Value(Type::Error, static_cast<std::uint32_t>(code));
}
Value Value::array(Ref<Array> arr) {
    Value v(Type::Array);
    v.heap_ = Ref<RefCounted>(arr.get());
    return v;
}

bool Value::isNumeric() const {
    switch (type_) {
    case Type::Byte:
    case Type::Integer:
    case Type::Long:
    case Type::Single:
    case Type::Double:
    case Type::Currency:
    case Type::Date:
    case Type::Boolean:
        return true;
    default:
        return false;
    }
}

const std::u16string& Value::asString() const {
    return heap_ ? static_cast<StringCell*>(heap_.get())->text : kEmptyText;
}

HostObject* Value::asObject() const {
    return static_cast<HostObject*>(heap_.get());
}

Array* Value::asArray() const {
    return static_cast<Array*>(heap_.get());
}

Array& Value::mutableArray() {
    if (heap_->refCount() > 1) {
        auto* copy = new Array(*asArray());
        heap_ = Ref<RefCounted>(copy);
    }
    return *asArray();
}

void Value::appendText(std::u16string_view tail) {
    const std::u16string& text = asString();
    if (text.size() + tail.size() > kMaxStringLength)
        raise(err::OutOfStringSpace);
    if (tail.empty())
        return;
    if (heap_ && heap_->refCount() == 1) {
        static_cast<StringCell*>(heap_.get())->text.append(tail);
        return;
    }
    std::u16string joined;
    joined.reserve(text.size() + tail.size());
    joined.append(text).append(tail);
    heap_ = Ref<RefCounted>(new StringCell(std::move(joined)));
}

std::size_t Array::elementCount(const std::vector<std::int32_t>& upperBounds) {
    if (upperBounds.size() > kMaxArrayDimensions)
        raise(err::SubscriptOutOfRange);
    std::uint64_t count = upperBounds.empty() ? 0 : 1;
    for (auto u : upperBounds) {
        if (u < -1)
            raise(err::SubscriptOutOfRange);
        count *= static_cast<std::uint64_t>(u) + 1;
        if (count > kMaxElements)
            raise(err::OutOfMemory);
    }
    return static_cast<std::size_t>(count);
}

Array::Array(std::vector<std::int32_t> upperBounds, bool fixed)
    : upper_(std::move(upperBounds)), data_(elementCount(upper_)), fixed_(fixed) {}

Ref<Array> Array::fromValues(std::vector<Value> values) {
    auto arr = makeRef<Array>();
    arr->upper_ = {static_cast<std::int32_t>(values.size()) - 1};
    arr->data_ = std::move(values);
    return arr;
}

Value& Array::at(std::span<const std::int32_t> subscripts) {
    if (subscripts.size() != upper_.size())
        raise(err::SubscriptOutOfRange);
    std::size_t index = 0;
    std::size_t stride = 1;
    for (std::size_t d = 0; d < upper_.size(); ++d) {
        if (subscripts[d] < 0 || subscripts[d] > upper_[d])
            raise(err::SubscriptOutOfRange);
        index += static_cast<std::size_t>(subscripts[d]) * stride;
        stride *= static_cast<std::size_t>(upper_[d]) + 1;
    }
    return data_[index];
}

std::vector<Value> Array::resizePreserving(const std::vector<std::int32_t>& upperBounds) {
    if (upperBounds.size() != upper_.size())
        raise(err::SubscriptOutOfRange);
    for (std::size_t d = 0; d + 1 < upper_.size(); ++d)
        if (upperBounds[d] != upper_[d])
            raise(err::SubscriptOutOfRange);
    std::size_t count = elementCount(upperBounds);
    std::vector<Value> cut;
    if (count < data_.size())
        cut.assign(std::make_move_iterator(data_.begin() + static_cast<std::ptrdiff_t>(count)),
                   std::make_move_iterator(data_.end()));
    data_.resize(count); // what it drops was moved out; what it adds is Empty
    upper_ = upperBounds;
    return cut;
}

std::vector<Value> Array::emptyElements() {
    std::vector<Value> old(data_.size());
    old.swap(data_);
    return old;
}

} // namespace vbs
