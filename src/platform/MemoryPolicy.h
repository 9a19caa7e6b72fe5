#pragma once
// How the process takes memory from the system. Call once at start-up, before large work.

namespace MemoryPolicy {

// Large blocks (a plot's columns and points, a sheet's rows) are mapped straight from the
// system and handed back when freed. The C library's default raises that threshold each time
// a large block is freed, after which a redraw's columns come from the heap and stay resident
// when let go; a fixed threshold keeps the resident size to what is in use.
void mapLargeBlocks();

} // namespace MemoryPolicy
