#include "clipdata/ClipDataSheet.h"

ClipDataSheet::ClipDataSheet() {
    for (int i = 0; i < defaultPageCount; ++i)
        addPage();
}

int ClipDataSheet::addPage() {
    int n = workbook_.sheetCount() + 1;
    while (workbook_.hasSheet(defaultPageName(n)))
        ++n;
    workbook_.sheet(defaultPageName(n));
    return workbook_.sheetCount();
}

bool ClipDataSheet::setActivePage(int index) {
    if (index < 1 || index > pageCount())
        return false;
    active_ = index;
    return true;
}

void ClipDataSheet::replaceWorkbook(Workbook workbook) {
    workbook_ = std::move(workbook);
    if (workbook_.sheetCount() == 0)
        addPage();
    active_ = 1;
    classRanges_.clear();
}

void ClipDataSheet::clearAll() {
    for (int i = 1; i <= pageCount(); ++i)
        workbook_.sheetAt(i)->clear();
    classRanges_.clear();
}
