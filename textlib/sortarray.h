// SortArray: sorts an array of fixed-size elements by a comparison, with one
// of five classic algorithms. None is stable.
#pragma once

#include <cstddef>

// Negative when a sorts before b, 0 when equal, positive after.
using SortCompare = int (*)(const void* a, const void* b);

enum SortAlgorithm {
    kSortBubble = 0,    // each pass ends at its last swap; returns swaps
    kSortInsertion = 1, // returns element moves
    kSortShell = 2,     // gaps 1, 4, 13, 40, ... (h = 3h + 1); returns moves
    kSortSelection = 3, // returns swaps
    kSortQuick = 4,     // middle pivot, Hoare partition; ranges of at most 11
                        // elements finish with selection sort; returns swaps
};

// Sorts count elements of size bytes at base in ascending order of compare.
// Returns the number of exchanges or moves; 0 for an unknown algorithm,
// which sorts nothing.
int SortArray(int algorithm, void* base, int count, size_t size, SortCompare compare);
