#pragma once
// Owning handles over mdbtools objects: the open file and a read table definition.
#include <mdbtools.h>
#include <memory>

struct MdbHandleCloser {
    void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct MdbTableDefFreer {
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};
using MdbFileHandle = std::unique_ptr<MdbHandle, MdbHandleCloser>;
using MdbTableHandle = std::unique_ptr<MdbTableDef, MdbTableDefFreer>;
