#pragma once
// The ClipData scratch workbook: its pages, the active page (the one worked on) and the class
// ranges the last classified load recorded, for the callers that work by class. Core state, no
// widgets; the window shows it.
#include "clipdata/ClassRange.h"
#include "platform/Workbook.h"

#include <vector>

class ClipDataSheet {
public:
    static constexpr int defaultPageCount = 3;
    static QString defaultPageName(int index) { return QStringLiteral("Page%1").arg(index); }

    ClipDataSheet();

    Workbook& workbook() { return workbook_; }
    const Workbook& workbook() const { return workbook_; }
    int pageCount() const { return workbook_.sheetCount(); }
    // A new empty page after the last one, with the first free default name; its position.
    int addPage();

    // 1-based; false (nothing changed) outside 1..pageCount().
    bool setActivePage(int index);
    int activePageIndex() const { return active_; }
    QString activePageName() const { return workbook_.sheetName(active_); }
    Sheet& activePage() { return *workbook_.sheetAt(active_); }
    const Sheet& activePage() const { return *workbook_.sheetAt(active_); }

    // Takes a workbook's pages in place of the current ones (a file opened into ClipData); an
    // empty workbook leaves one empty page. The first page becomes active.
    void replaceWorkbook(Workbook workbook);
    // Empties every page and forgets the class ranges; the pages stay.
    void clearAll();

    const std::vector<ClassRange>& classRanges() const { return classRanges_; }
    void setClassRanges(std::vector<ClassRange> ranges) { classRanges_ = std::move(ranges); }

private:
    Workbook workbook_;
    int active_ = 1;
    std::vector<ClassRange> classRanges_;
};
