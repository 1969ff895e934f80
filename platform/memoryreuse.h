// How the process's heap treats large blocks once they are freed.
#pragma once

namespace platform {

// Keeps large freed blocks in the heap for the next ones instead of handing
// them back to the system. A listing of a million files takes some 150 MB
// in a few large blocks; given back when the folder is left, every later
// listing of that size pays a page fault for each of its pages again, which
// made it twice as slow. The price is resident memory up to the largest
// listing seen, held until the process ends. Call it once, before anything
// is allocated in bulk. Nothing to do where the system's heap offers no
// such choice.
void KeepFreedMemoryForReuse();

} // namespace platform
