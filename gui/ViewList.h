#pragma once
// The frame's views in the order they were added, in an array that grows by 20 slots. Each entry holds
// one reference that the list took over from whoever added the view. Input searches run from the view
// added last, which is the one drawn on top.

#include <cstdint>

class View;

class ViewList {
public:
    static constexpr int32_t kGrowth = 20;

    ViewList() = default;
    ViewList(const ViewList&) = delete;
    ViewList& operator=(const ViewList&) = delete;
    ~ViewList();

    // False, with nothing changed, when the array cannot grow.
    bool append(View* view);
    // Takes out the first entry holding the view, telling it that it left its parent; false if absent.
    bool remove(View* view, View* parent, bool release);
    // Takes out every entry in order and frees the array.
    void clear(View* parent, bool release);

    bool contains(const View* view) const;
    View* at(int32_t index) const { return index >= 0 && index < count ? views[index] : nullptr; }
    int32_t size() const { return count; }
    int32_t capacity() const { return slots; }

    View* const* begin() const { return views; }
    View* const* end() const { return views + count; }

    // The first view, from the top, for which wanted (View&) is true; null if none.
    template <typename Predicate> View* findFromTop(Predicate wanted) const {
        for (int32_t i = count; i-- > 0;)
            if (wanted(*views[i])) return views[i];
        return nullptr;
    }

private:
    int32_t count = 0;
    int32_t slots = 0;
    View** views = nullptr;
};
