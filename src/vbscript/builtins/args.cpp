// The argument helper (see args.h).
#include "vbscript/builtins/args.h"

#include "vbscript/convert.h"
#include "vbscript/errors.h"
#include "vbscript/parser.h"

namespace vbs {

void invalidArgument() {
    raise(err::InvalidCall);
}

bool Args::given(std::size_t i) const {
    return i < values_.size() &&
           !(values_[i].type() == Type::Error && values_[i].asError() == kMissingArgument);
}

Value Args::value(std::size_t i) const {
    return scalar(values_[i]);
}

bool Args::isNull(std::size_t i) const {
    return given(i) && value(i).isNull();
}

const std::u16string& Args::text(std::size_t i) const {
    if (values_[i].isString())
        return values_[i].asString();
    return converted_.emplace_front(toText(values_[i]));
}

double Args::number(std::size_t i) const {
    return toDouble(values_[i]);
}

std::int32_t Args::whole(std::size_t i) const {
    return toLong(values_[i]);
}

std::int32_t Args::whole(std::size_t i, std::int32_t fallback) const {
    return given(i) ? whole(i) : fallback;
}

std::int32_t Args::atLeast(std::size_t i, std::int32_t minimum) const {
    std::int32_t v = whole(i);
    if (v < minimum)
        invalidArgument();
    return v;
}

lib::CompareMode Args::compareMode(std::size_t i) const {
    if (!given(i))
        return lib::CompareMode::Binary;
    std::int32_t mode = whole(i);
    if (mode != 0 && mode != 1)
        invalidArgument();
    return static_cast<lib::CompareMode>(mode);
}

} // namespace vbs
