#include "ScriptValues.h"

#include <algorithm>

namespace wke {

namespace {

constexpr unsigned long long kHandleBit = 1ull << 62;
constexpr unsigned kGenerationMask = 0xFFFFFF;

}  // namespace

jsValue ScriptValues::put(const js::Value& v) {
    if (v.type == js::Value::Type::Undefined) {
        return 0;
    }
    values_.push_back(v);
    const unsigned long long index = values_.size() - 1;
    const unsigned long long generation = generation_ & kGenerationMask;
    return static_cast<jsValue>(kHandleBit | (generation << 32) | index);
}

js::Value ScriptValues::get(jsValue handle) const {
    const auto bits = static_cast<unsigned long long>(handle);
    if ((bits & kHandleBit) == 0 || ((bits >> 32) & kGenerationMask) != (generation_ & kGenerationMask) ||
        (bits >> 56) != 0x40) {
        return js::Value::undefined();
    }
    const unsigned long long index = bits & 0xFFFFFFFFull;
    return index < values_.size() ? values_[index] : js::Value::undefined();
}

void ScriptValues::enter(ExecState* es) {
    running_.push_back(es);
}

void ScriptValues::leave(ExecState* es) {
    auto it = std::find(running_.begin(), running_.end(), es);
    if (it != running_.end()) {
        running_.erase(it);
    }
    if (running_.empty()) {
        values_.clear();
        generation_ = (generation_ + 1) & kGenerationMask;
        if (generation_ == 0) {
            generation_ = 1;
        }
    }
}

bool ScriptValues::running(const ExecState* es) const {
    return es && std::find(running_.begin(), running_.end(), es) != running_.end();
}

}  // namespace wke
