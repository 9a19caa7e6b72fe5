#pragma once
// The main window's linking report: for each selected table in turn, which keys join it with
// each other selected table, or that nothing does. Lines are separated by "\n".
#include "query/LinkSearch.h"

#include <QStringList>

QString BuildLinkingReport(const LinkSearch& links, const QStringList& tables, bool userResults);
