#include "gui/ViewList.h"

#include "gui/View.h"

#include <algorithm>
#include <cstdlib>

ViewList::~ViewList() { std::free(views); }

bool ViewList::append(View* view) {
    if (count == slots) {
        void* grown = std::realloc(views, sizeof(View*) * (slots + kGrowth));
        if (!grown) return false;
        views = static_cast<View**>(grown);
        slots += kGrowth;
    }
    views[count++] = view;
    return true;
}

bool ViewList::remove(View* view, View* parent, bool release) {
    View** found = std::find(views, views + count, view);
    if (found == views + count) return false;
    view->detachedFrom(parent);
    if (release) view->releaseReference();
    std::copy(found + 1, views + count, found);
    --count;
    return true;
}

void ViewList::clear(View* parent, bool release) {
    for (View* view : *this) {
        view->detachedFrom(parent);
        if (release) view->releaseReference();
    }
    std::free(views);
    views = nullptr;
    count = 0;
    slots = 0;
}

bool ViewList::contains(const View* view) const { return std::find(begin(), end(), view) != end(); }
