// LinkList: a doubly linked list of untyped payload pointers with a
// one-entry cursor, so that sequential access by index costs one step per
// call. The list owns its nodes, never the payloads: whoever stores payloads
// releases them before removing or clearing nodes.
#pragma once

#include <cstdint>

struct LinkNode {
    void* payload; // the stored object; in a pool, kLinkNodeFree marks a free node
    LinkNode* prev;
    LinkNode* next;
    int32_t key; // ordering key of LinkList_InsertSorted; 0 for plain insertion
};

struct LinkNodeBlock;

struct LinkList {
    int32_t count;
    LinkNode* head; // null when empty
    LinkNode* tail; // null when empty
    int32_t reserved;
    int32_t cursorIndex;  // index of the node last returned by LinkList_At
    LinkNode* cursorNode; // that node; null means there is no cursor
    int32_t poolSize;     // preallocated nodes; 0 allocates nodes in blocks
    LinkNode* pool;
    // Without a pool, nodes come from blocks owned by the list, so that the
    // nodes of a list lie together in memory and a scan stays cache-friendly
    // however the heap was used before; released nodes wait in a free chain.
    LinkNodeBlock* blocks;
    LinkNode* freeNodes;
};

// Payload value that marks a free node of a pool.
inline void* const kLinkNodeFree = reinterpret_cast<void*>(~static_cast<uintptr_t>(0));

// New empty list. With poolSize > 0 that many nodes are preallocated and new
// nodes come from them; exhausting the pool returns null from insertions.
// Without a pool, the memory of removed nodes is reused by later insertions
// and returned by LinkList_Clear and LinkList_Free.
LinkList* LinkList_New(int32_t poolSize);

// Clears the list and releases it (and its pool). Null is ignored.
void LinkList_Free(LinkList* list);

// Adds a node with key 0 at the end. Returns it.
LinkNode* LinkList_Append(LinkList* list, void* payload);

// Adds a node with key 0 before the node at index (LinkList_At), or at the
// end when there is no such node. Returns it.
LinkNode* LinkList_InsertAt(LinkList* list, int32_t index, void* payload);

// Adds a node before the first node whose key is >= key, or at the end.
// A new node therefore goes before existing nodes of the same key.
LinkNode* LinkList_InsertSorted(LinkList* list, int32_t key, void* payload);

// Unlinks and releases node (a pool node is marked free). Null is ignored.
void LinkList_Remove(LinkList* list, LinkNode* node);

// Releases every node; count 0, no head, tail or cursor.
void LinkList_Clear(LinkList* list);

// Node at index, or null when index is out of range. Walks from the cursor
// when it is nearer than a quarter of the count, else from the nearer end;
// remembers index and result as the new cursor. Insertions before the
// cursor's node, appends and the removal of the cursor's node keep the
// cursor; other changes drop it.
LinkNode* LinkList_At(LinkList* list, int32_t index);

// Re-inserts every node in list order with LinkList_InsertSorted, so nodes
// end up in ascending key order, equal keys in reversed relative order.
void LinkList_SortByKey(LinkList* list);
