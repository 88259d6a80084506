#pragma once
// Open-addressing hash index from a precomputed hash to a record pointer. The caller owns
// the records and decides equality (the stored hash only narrows the candidates), so one
// table serves section names and (section, key) pairs alike. Linear probing with
// backward-shift deletion: no tombstones, so lookups stay short after many deletions.
#include <cstddef>
#include <cstdint>
#include <new>

namespace setup::profile {

class PointerIndex {
public:
    PointerIndex() = default;
    ~PointerIndex() { delete[] slots_; }
    PointerIndex(const PointerIndex&) = delete;
    PointerIndex& operator=(const PointerIndex&) = delete;

    // The record stored under `hash` for which match(record) holds, or null.
    template <typename T, typename Match>
    T* Find(std::size_t hash, Match match) const {
        if (!slots_) return nullptr;
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& s = slots_[i];
            if (!s.record) return nullptr;
            if (s.hash == hash && match(static_cast<T*>(s.record))) return static_cast<T*>(s.record);
        }
    }

    // Adds a record; the caller has checked that no equal record is stored. False when out of memory.
    bool Insert(std::size_t hash, void* record) {
        if ((count_ + 1) * 4 > capacity_ * 3 && !Grow()) return false;
        Place(hash, record);
        ++count_;
        return true;
    }

    // Points the slot that holds `oldRecord` at `newRecord` (same hash, same name).
    void Replace(std::size_t hash, void* oldRecord, void* newRecord) {
        if (Slot* s = SlotOf(hash, oldRecord)) s->record = newRecord;
    }

    // Removes `record` if it is stored; true when it was.
    bool Erase(std::size_t hash, void* record) {
        Slot* s = SlotOf(hash, record);
        if (!s) return false;
        std::size_t hole = static_cast<std::size_t>(s - slots_);
        for (std::size_t i = (hole + 1) & mask_; slots_[i].record; i = (i + 1) & mask_) {
            std::size_t home = slots_[i].hash & mask_;
            // Move the entry back when the hole lies on its probe path.
            if (((i - home) & mask_) >= ((i - hole) & mask_)) {
                slots_[hole] = slots_[i];
                hole = i;
            }
        }
        slots_[hole] = Slot{};
        --count_;
        return true;
    }

    bool Contains(std::size_t hash, const void* record) const { return SlotOf(hash, record) != nullptr; }

    void Clear() {
        delete[] slots_;
        slots_ = nullptr;
        capacity_ = count_ = mask_ = 0;
    }

    std::size_t Size() const { return count_; }
    std::size_t Capacity() const { return capacity_; }

private:
    struct Slot {
        std::size_t hash = 0;
        void* record = nullptr;
    };

    Slot* SlotOf(std::size_t hash, const void* record) const {
        if (!slots_) return nullptr;
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            Slot& s = slots_[i];
            if (!s.record) return nullptr;
            if (s.record == record) return &s;
        }
    }

    void Place(std::size_t hash, void* record) {
        std::size_t i = hash & mask_;
        while (slots_[i].record) i = (i + 1) & mask_;
        slots_[i] = Slot{hash, record};
    }

    bool Grow() {
        std::size_t capacity = capacity_ ? capacity_ * 2 : 16;
        Slot* fresh = new (std::nothrow) Slot[capacity];
        if (!fresh) return false;
        Slot* old = slots_;
        std::size_t oldCapacity = capacity_;
        slots_ = fresh;
        capacity_ = capacity;
        mask_ = capacity - 1;
        for (std::size_t i = 0; i < oldCapacity; ++i)
            if (old[i].record) Place(old[i].hash, old[i].record);
        delete[] old;
        return true;
    }

    Slot* slots_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t count_ = 0;
    std::size_t mask_ = 0;
};

}  // namespace setup::profile
