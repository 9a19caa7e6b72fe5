#pragma once
// ClipData's verbs for the macro language. Forms (verb case-insensitive, argument trimmed):
//   OPEN [path]        opens the file into ClipData; without a path, the open box
//   SAVE path          saves (.txt/.csv: the active page, .qwb: all pages), no question
//   CREATEIDCOL        inserts the ID column
//   FIRSTISHEADERROW   row 1 already holds the headings on a ClipData page: accepted as is
// False for an unknown verb, a missing argument or a failed operation.
#include <QString>

class ClipDataFiles;
class ClipDataSheetTools;

class ClipDataCommands {
public:
    ClipDataCommands(ClipDataFiles& files, ClipDataSheetTools& tools)
        : files_(files)
        , tools_(tools) {}

    bool run(const QString& verb, const QString& argument);

private:
    ClipDataFiles& files_;
    ClipDataSheetTools& tools_;
};
