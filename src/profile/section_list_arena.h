#pragma once
// Bump allocator for the records and texts of one list: everything is released at once
// when the list is cleared, so a loaded file costs one allocation per block, not per line.
#include <cstddef>
#include <cstring>
#include <new>

namespace setup::profile {

class Arena {
public:
    Arena() = default;
    ~Arena() { Release(); }
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // Null when out of memory. Blocks grow with use, so small lists stay small.
    void* Allocate(std::size_t bytes) {
        bytes = (bytes + kAlign - 1) & ~(kAlign - 1);
        if (bytes > static_cast<std::size_t>(end_ - next_) && !NewBlock(bytes)) return nullptr;
        void* p = next_;
        next_ += bytes;
        return p;
    }

    // NUL-terminated copy of `length` bytes of `text`.
    char* CopyText(const char* text, std::size_t length) {
        char* p = static_cast<char*>(Allocate(length + 1));
        if (!p) return nullptr;
        if (length) std::memcpy(p, text, length);
        p[length] = '\0';
        return p;
    }

    void Release() {
        while (blocks_) {
            Block* b = blocks_;
            blocks_ = b->previous;
            ::operator delete(b);
        }
        next_ = end_ = nullptr;
        nextBlockSize_ = kFirstBlock;
    }

private:
    static constexpr std::size_t kAlign = alignof(std::max_align_t) < 8 ? 8 : alignof(std::max_align_t);
    static constexpr std::size_t kFirstBlock = 1024;
    static constexpr std::size_t kLargestBlock = 256 * 1024;

    struct Block {
        Block* previous;
    };
    static constexpr std::size_t kHeader = (sizeof(Block) + kAlign - 1) & ~(kAlign - 1);

    bool NewBlock(std::size_t atLeast) {
        std::size_t size = nextBlockSize_ > atLeast ? nextBlockSize_ : atLeast;
        Block* b = static_cast<Block*>(::operator new(kHeader + size, std::nothrow));
        if (!b) return false;
        b->previous = blocks_;
        blocks_ = b;
        next_ = reinterpret_cast<char*>(b) + kHeader;
        end_ = next_ + size;
        if (nextBlockSize_ < kLargestBlock) nextBlockSize_ *= 2;
        return true;
    }

    Block* blocks_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    std::size_t nextBlockSize_ = kFirstBlock;
};

}  // namespace setup::profile
