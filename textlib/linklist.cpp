#include "linklist.h"

#include <new>
#include <vector>

namespace {

LinkNode* NewNode(LinkList* list, void* payload, int32_t key) {
    LinkNode* node = nullptr;
    if (list->poolSize > 0) {
        for (int32_t i = 0; i < list->poolSize && !node; ++i)
            if (list->pool[i].payload == kLinkNodeFree) node = &list->pool[i];
        if (!node) return nullptr;
    } else {
        node = new LinkNode;
    }
    *node = LinkNode{payload, nullptr, nullptr, key};
    return node;
}

void ReleaseNode(LinkList* list, LinkNode* node) {
    if (list->poolSize > 0) {
        node->payload = kLinkNodeFree;
    } else {
        delete node;
    }
}

// Links node in before `before`, or at the end when `before` is null.
LinkNode* LinkBefore(LinkList* list, LinkNode* before, LinkNode* node) {
    if (!node) return nullptr;
    node->next = before;
    node->prev = before ? before->prev : list->tail;
    if (node->prev) {
        node->prev->next = node;
    } else {
        list->head = node;
    }
    if (before) {
        before->prev = node;
    } else {
        list->tail = node;
    }
    ++list->count;
    list->cursorNode = nullptr;
    return node;
}

}  // namespace

LinkList* LinkList_New(int32_t poolSize) {
    auto* list = new LinkList{};
    if (poolSize > 0) {
        list->poolSize = poolSize;
        list->pool = new LinkNode[poolSize];
        for (int32_t i = 0; i < poolSize; ++i) list->pool[i].payload = kLinkNodeFree;
    }
    return list;
}

void LinkList_Free(LinkList* list) {
    if (!list) return;
    LinkList_Clear(list);
    delete[] list->pool;
    delete list;
}

LinkNode* LinkList_Append(LinkList* list, void* payload) {
    return LinkBefore(list, nullptr, NewNode(list, payload, 0));
}

LinkNode* LinkList_InsertAt(LinkList* list, int32_t index, void* payload) {
    return LinkBefore(list, LinkList_At(list, index), NewNode(list, payload, 0));
}

LinkNode* LinkList_InsertSorted(LinkList* list, int32_t key, void* payload) {
    LinkNode* before = list->head;
    while (before && before->key < key) before = before->next;
    return LinkBefore(list, before, NewNode(list, payload, key));
}

void LinkList_Remove(LinkList* list, LinkNode* node) {
    if (!node) return;
    (node->prev ? node->prev->next : list->head) = node->next;
    (node->next ? node->next->prev : list->tail) = node->prev;
    --list->count;
    list->cursorNode = nullptr;
    ReleaseNode(list, node);
}

void LinkList_Clear(LinkList* list) {
    for (LinkNode* node = list->head; node;) {
        LinkNode* next = node->next;
        ReleaseNode(list, node);
        node = next;
    }
    list->count = 0;
    list->head = list->tail = nullptr;
    list->cursorNode = nullptr;
    list->cursorIndex = 0;
}

LinkNode* LinkList_At(LinkList* list, int32_t index) {
    LinkNode* node = nullptr;
    if (index >= 0 && index < list->count) {
        const int32_t fromCursor = index - list->cursorIndex;
        const int32_t distance = fromCursor < 0 ? -fromCursor : fromCursor;
        if (list->cursorNode && distance < (list->count >> 2)) {
            node = list->cursorNode;
            for (int32_t i = 0; i < distance; ++i) node = fromCursor > 0 ? node->next : node->prev;
        } else if (index > (list->count >> 1)) {
            node = list->tail;
            for (int32_t i = list->count - 1; i > index; --i) node = node->prev;
        } else {
            node = list->head;
            for (int32_t i = 0; i < index; ++i) node = node->next;
        }
    }
    list->cursorIndex = index;
    list->cursorNode = node;
    return node;
}

void LinkList_SortByKey(LinkList* list) {
    struct Entry {
        void* payload;
        int32_t key;
    };
    std::vector<Entry> entries;
    entries.reserve(list->count);
    for (LinkNode* node = list->head; node; node = node->next)
        entries.push_back({node->payload, node->key});
    LinkList_Clear(list);
    for (const Entry& e : entries) LinkList_InsertSorted(list, e.key, e.payload);
}
