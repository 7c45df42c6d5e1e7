// The frame's view list: growth in steps of 20, removal and release, and the search from the top.

#include "gui/ViewList.h"

#include "gui/View.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes every detach and destruction into a shared journal, under its name.
class JournalView : public View {
public:
    JournalView(std::string label, std::string& journal, const Rect& bounds = {0, 0, 10, 10})
        : View(bounds), name(std::move(label)), log(journal) {}
    ~JournalView() override { log += "~" + name + " "; }
    bool detachedFrom(View*) override {
        log += "detach " + name + " ";
        return true;
    }

    const std::string name;

private:
    std::string& log;
};

class ViewListTest : public ::testing::Test {
protected:
    // Views are made with one reference for the test; the list gets its own through addReference.
    JournalView* make(const std::string& name, const Rect& bounds = {0, 0, 10, 10}) {
        made.push_back(new JournalView(name, journal, bounds));
        return made.back();
    }
    void TearDown() override {
        list.clear(nullptr, false);
        for (JournalView* view : made)
            view->releaseReference();
    }

    std::string journal;
    std::vector<JournalView*> made;
    ViewList list;
};

TEST_F(ViewListTest, GrowsByTwentySlotsAndKeepsInsertionOrder) {
    EXPECT_EQ(list.capacity(), 0);
    for (int i = 0; i < 41; ++i) {
        ASSERT_TRUE(list.append(make(std::to_string(i))));
        const int expected = (i / 20 + 1) * 20;
        EXPECT_EQ(list.capacity(), expected) << "after " << i + 1 << " views";
    }
    EXPECT_EQ(list.size(), 41);
    for (int i = 0; i < 41; ++i)
        EXPECT_EQ(list.at(i), made[i]) << "index " << i;
}

TEST_F(ViewListTest, AtOutsideTheRangeIsNull) {
    list.append(make("a"));
    for (int index : {-1, 1, 20})
        EXPECT_EQ(list.at(index), nullptr) << "index " << index;
}

TEST_F(ViewListTest, RemoveTakesOutTheFirstEntryAndMovesTheRestDown) {
    JournalView *a = make("a"), *b = make("b"), *c = make("c");
    for (View* view : {a, b, a, c})
        list.append(view);
    EXPECT_TRUE(list.remove(a, nullptr, false));
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list.at(0), b);
    EXPECT_EQ(list.at(1), a);
    EXPECT_EQ(list.at(2), c);
    EXPECT_EQ(journal, "detach a ");
}

TEST_F(ViewListTest, RemoveReleasesOnlyAFoundViewAndOnlyWhenAsked) {
    JournalView *kept = make("kept"), *absent = make("absent");
    list.append(kept);
    kept->addReference();
    absent->addReference();
    EXPECT_FALSE(list.remove(absent, nullptr, true));
    EXPECT_EQ(absent->referenceCount(), 2) << "a view that is not in the list keeps its references";
    EXPECT_EQ(list.size(), 1);
    EXPECT_TRUE(list.remove(kept, nullptr, true));
    EXPECT_EQ(kept->referenceCount(), 1);
    EXPECT_EQ(list.size(), 0);
    absent->releaseReference();
}

TEST_F(ViewListTest, ClearDetachesInOrderReleasesAndFreesTheArray) {
    std::string local;
    auto* first = new JournalView("first", local);
    auto* second = new JournalView("second", local);
    list.append(first);
    list.append(second);
    list.clear(nullptr, true);
    EXPECT_EQ(local, "detach first ~first detach second ~second ");
    EXPECT_EQ(list.size(), 0);
    EXPECT_EQ(list.capacity(), 0);
    EXPECT_EQ(list.begin(), list.end());
}

TEST_F(ViewListTest, FindFromTopStartsWithTheViewAddedLast) {
    JournalView *bottom = make("bottom"), *middle = make("middle"), *top = make("top");
    for (View* view : {bottom, middle, top})
        list.append(view);
    std::string asked;
    View* found = list.findFromTop([&](View& view) {
        asked += static_cast<JournalView&>(view).name + " ";
        return &view == middle;
    });
    EXPECT_EQ(found, middle);
    EXPECT_EQ(asked, "top middle ");
    EXPECT_EQ(list.findFromTop([](View&) { return false; }), nullptr);
}

TEST_F(ViewListTest, ContainsComparesPointers) {
    JournalView *in = make("in"), *out = make("out");
    list.append(in);
    EXPECT_TRUE(list.contains(in));
    EXPECT_FALSE(list.contains(out));
    EXPECT_FALSE(list.contains(nullptr));
}

} // namespace
