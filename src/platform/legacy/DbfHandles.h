#pragma once
// Owning handle over a dBase file opened through shapelib.
#include <memory>
#include <shapefil.h>

struct DbfCloser {
    void operator()(DBFInfo* dbf) const { DBFClose(dbf); }
};
using DbfFileHandle = std::unique_ptr<DBFInfo, DbfCloser>;
