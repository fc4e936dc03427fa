// Where the keyword engine reads its 64-bit slots from: a C variadic
// argument list (the exported functions) or a bounded array (tests, fuzzing).
// The engine asks for one slot at a time and says what it expects there, so
// that a source can read pointers as pointers and a fuzzing source can hand
// out only addresses it owns.
#ifndef HOST_CORE_SLOT_SOURCE_H
#define HOST_CORE_SLOT_SOURCE_H

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace qi {

enum class SlotUse {
    Keyword,  // a token, QI_END or QI_GROUP
    Value,    // a token or 64-bit integer passed by value
    Address,  // a pointer to memory the engine reads or fills
    Text,     // a pointer to a zero-terminated text
};

class SlotSource {
public:
    // Stores the next slot in `slot`; false when the source has no more.
    virtual bool Next(SlotUse use, uint64_t &slot) = 0;

protected:
    ~SlotSource() = default;
};

// Slots of a variadic list; never runs out (the engine stops at QI_END).
class VaListSlots final : public SlotSource {
public:
    explicit VaListSlots(va_list &args) : args_(args) {}
    bool Next(SlotUse use, uint64_t &slot) override
    {
        if (use == SlotUse::Address || use == SlotUse::Text)
            slot = uint64_t(reinterpret_cast<uintptr_t>(va_arg(args_, void *)));
        else
            slot = uint64_t(va_arg(args_, int64_t));
        return true;
    }

private:
    va_list &args_;
};

// Slots of an array of `count` values; counts how many were read.
class ArraySlots final : public SlotSource {
public:
    ArraySlots(const uint64_t *slots, size_t count) : slots_(slots), count_(count) {}
    bool Next(SlotUse, uint64_t &slot) override
    {
        if (used_ == count_)
            return false;
        slot = slots_[used_++];
        return true;
    }
    size_t used() const { return used_; }

private:
    const uint64_t *slots_;
    size_t count_;
    size_t used_ = 0;
};

}  // namespace qi

#endif
