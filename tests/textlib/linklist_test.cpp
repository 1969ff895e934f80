// The linked list: structure after any sequence of changes, and the cursor.
#include "textlib/linklist.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

void* P(intptr_t n) {
    return reinterpret_cast<void*>(n);
}

// Walks the list both ways and checks it against the expected payloads.
void ExpectList(LinkList* list, const std::vector<intptr_t>& expected) {
    ASSERT_EQ(list->count, static_cast<int32_t>(expected.size()));
    size_t i = 0;
    LinkNode* previous = nullptr;
    for (LinkNode* node = list->head; node; node = node->next, ++i) {
        ASSERT_LT(i, expected.size());
        EXPECT_EQ(node->payload, P(expected[i]));
        EXPECT_EQ(node->prev, previous);
        previous = node;
    }
    EXPECT_EQ(i, expected.size());
    EXPECT_EQ(list->tail, previous);
    for (int32_t k = 0; k < list->count; ++k)
        EXPECT_EQ(LinkList_At(list, k)->payload, P(expected[k]));
    for (int32_t k = list->count - 1; k >= 0; --k)
        EXPECT_EQ(LinkList_At(list, k)->payload, P(expected[k]));
}

TEST(LinkList, EdgeCases) {
    LinkList* list = LinkList_New(0);
    EXPECT_EQ(LinkList_At(list, 0), nullptr);
    LinkList_InsertAt(list, 0, P(1)); // empty list: appends
    LinkList_Append(list, P(2));
    LinkList_Append(list, P(3));
    EXPECT_EQ(LinkList_At(list, 3), nullptr);
    EXPECT_EQ(LinkList_At(list, -1), nullptr);
    EXPECT_EQ(LinkList_At(list, 2)->payload, P(3));
    EXPECT_EQ(LinkList_At(list, 1)->payload, P(2)); // backwards from the cursor
    LinkList_InsertAt(list, 0, P(0));
    ExpectList(list, {0, 1, 2, 3});
    LinkList_Remove(list, list->head);
    LinkList_Remove(list, list->tail);
    ExpectList(list, {1, 2});
    LinkList_Remove(list, list->head);
    LinkList_Remove(list, list->head);
    ExpectList(list, {});
    EXPECT_EQ(list->head, nullptr);
    LinkList_Free(list);
}

TEST(LinkList, SortedInsertPutsEqualKeysFirst) {
    LinkList* list = LinkList_New(0);
    LinkList_InsertSorted(list, 5, P(1));
    LinkList_InsertSorted(list, 3, P(2));
    LinkList_InsertSorted(list, 5, P(3));
    ExpectList(list, {2, 3, 1});
    LinkList_Clear(list);
    for (int k : {4, 1, 4, 2})
        LinkList_Append(list, P(k))->key = k;
    LinkList_SortByKey(list);
    ExpectList(list, {1, 2, 4, 4});
    LinkList_Free(list);
}

// Random inserts, removals and lookups checked against a vector after every step.
TEST(LinkList, RandomOperationsKeepLinksConsistent) {
    for (int32_t pool : {0, 64}) {
        std::mt19937 random(pool + 7);
        LinkList* list = LinkList_New(pool);
        std::vector<intptr_t> model;
        for (int step = 0; step < 600; ++step) {
            const int op = static_cast<int>(random() % 5);
            const intptr_t value = step + 1;
            const int32_t size = static_cast<int32_t>(model.size());
            // Leave the cursor anywhere, so each change meets it in every position.
            if (size > 0) LinkList_At(list, static_cast<int32_t>(random() % size));
            if (op <= 1 && size < 60) {
                const int32_t at = static_cast<int32_t>(random() % (size + 2));
                LinkList_InsertAt(list, at, P(value));
                model.insert(at < size ? model.begin() + at : model.end(), value);
            } else if (op == 2 && size < 60) {
                LinkList_Append(list, P(value));
                model.push_back(value);
            } else if (size > 0) {
                const int32_t at = static_cast<int32_t>(random() % size);
                if (op == 3) {
                    // Half of the removals take the cursor's own node.
                    LinkList_Remove(list, LinkList_At(list, at));
                    model.erase(model.begin() + at);
                } else {
                    EXPECT_EQ(LinkList_At(list, at)->payload, P(model[at]));
                }
            }
            // Look up through whatever cursor the change left, before the full walk.
            if (!model.empty()) {
                const int32_t probe = static_cast<int32_t>(random() % model.size());
                EXPECT_EQ(LinkList_At(list, probe)->payload, P(model[probe]));
            }
            ExpectList(list, model);
            if (HasFailure()) break;
        }
        LinkList_Free(list);
    }
}

} // namespace
