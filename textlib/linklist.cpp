#include "textlib/linklist.h"

#include <new>
#include <vector>

struct LinkNodeBlock {
    LinkNodeBlock* next; // the previously allocated block
    int32_t capacity;
    int32_t used;
    // capacity nodes follow the header
    LinkNode* Nodes() { return reinterpret_cast<LinkNode*>(this + 1); }
};
static_assert(sizeof(LinkNodeBlock) % alignof(LinkNode) == 0);

namespace {

// Blocks double from a few nodes, so small lists stay small, up to a size
// that keeps each allocation modest.
constexpr int32_t kFirstBlockNodes = 8;
constexpr int32_t kLargestBlockNodes = 4096;

LinkNode* NodeFromBlocks(LinkList* list) {
    if (LinkNode* node = list->freeNodes) {
        list->freeNodes = node->next;
        return node;
    }
    LinkNodeBlock* block = list->blocks;
    if (!block || block->used == block->capacity) {
        int32_t capacity = block ? block->capacity * 2 : kFirstBlockNodes;
        if (capacity > kLargestBlockNodes) capacity = kLargestBlockNodes;
        void* memory = ::operator new(sizeof(LinkNodeBlock) + capacity * sizeof(LinkNode));
        block = static_cast<LinkNodeBlock*>(memory);
        block->next = list->blocks;
        block->capacity = capacity;
        block->used = 0;
        list->blocks = block;
    }
    return &block->Nodes()[block->used++];
}

void ReleaseBlocks(LinkList* list) {
    for (LinkNodeBlock* block = list->blocks; block;) {
        LinkNodeBlock* next = block->next;
        ::operator delete(block);
        block = next;
    }
    list->blocks = nullptr;
    list->freeNodes = nullptr;
}

LinkNode* NewNode(LinkList* list, void* payload, int32_t key) {
    LinkNode* node = nullptr;
    if (list->poolSize > 0) {
        for (int32_t i = 0; i < list->poolSize && !node; ++i)
            if (list->pool[i].payload == kLinkNodeFree) node = &list->pool[i];
        if (!node) return nullptr;
    } else {
        node = NodeFromBlocks(list);
    }
    *node = LinkNode{payload, nullptr, nullptr, key};
    return node;
}

void ReleaseNode(LinkList* list, LinkNode* node) {
    if (list->poolSize > 0) {
        node->payload = kLinkNodeFree;
    } else {
        node->next = list->freeNodes;
        list->freeNodes = node;
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
    // Keep the cursor where its index is still right, so that loops that
    // insert or append while walking by index stay O(1) per step.
    if (before && before == list->cursorNode) {
        list->cursorNode = node; // the new node now holds the cursor's index
    } else if (before) {
        list->cursorNode = nullptr;
    }
    return node;
}

} // namespace

LinkList* LinkList_New(int32_t poolSize) {
    auto* list = new LinkList{};
    if (poolSize > 0) {
        list->poolSize = poolSize;
        list->pool = new LinkNode[poolSize];
        for (int32_t i = 0; i < poolSize; ++i)
            list->pool[i].payload = kLinkNodeFree;
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
    while (before && before->key < key)
        before = before->next;
    return LinkBefore(list, before, NewNode(list, payload, key));
}

void LinkList_Remove(LinkList* list, LinkNode* node) {
    if (!node) return;
    (node->prev ? node->prev->next : list->head) = node->next;
    (node->next ? node->next->prev : list->tail) = node->prev;
    --list->count;
    // Removing the cursor's own node (deleting line i, then looking at line
    // i again) moves the cursor to the node that takes over its index.
    if (node != list->cursorNode) {
        list->cursorNode = nullptr;
    } else if (node->next) {
        list->cursorNode = node->next;
    } else {
        list->cursorNode = node->prev;
        --list->cursorIndex;
    }
    ReleaseNode(list, node);
}

void LinkList_Clear(LinkList* list) {
    if (list->poolSize > 0) {
        for (LinkNode* node = list->head; node; node = node->next)
            node->payload = kLinkNodeFree;
    } else {
        ReleaseBlocks(list);
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
            for (int32_t i = 0; i < distance; ++i)
                node = fromCursor > 0 ? node->next : node->prev;
        } else if (index > (list->count >> 1)) {
            node = list->tail;
            for (int32_t i = list->count - 1; i > index; --i)
                node = node->prev;
        } else {
            node = list->head;
            for (int32_t i = 0; i < index; ++i)
                node = node->next;
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
    for (const Entry& e : entries)
        LinkList_InsertSorted(list, e.key, e.payload);
}
