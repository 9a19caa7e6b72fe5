#pragma once
// The SQL engines the program talks to; Jet text is translated into one of them before it runs.
enum class SqlDialect { Sqlite, Postgres };
