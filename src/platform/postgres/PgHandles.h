#pragma once
// Owning handles over the libpq C API objects.
#include <libpq-fe.h>
#include <memory>

struct PgConnectionCloser {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct PgResultClearer {
    void operator()(PGresult* r) const { PQclear(r); }
};
using PgConnectionHandle = std::unique_ptr<PGconn, PgConnectionCloser>;
using PgResultHandle = std::unique_ptr<PGresult, PgResultClearer>;
