#include "automation/PictureBook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

PictureBook::PictureBook() {
    clear();
}

QStringList PictureBook::headings() {
    QStringList h(ColumnCount);
    const std::vector<std::pair<int, const char*>> named{
        {1, "Name"},     {2, "Source"},     {3, "X-table"},     {4, "X-element"},
        {5, "Y-table"},  {6, "Y-element"},  {7, "Class-Table"}, {8, "Class-Element"},
        {9, "FilterON"}, {10, "FilterTXT"}, {12, "MinX"},       {13, "MinY"},
        {14, "MultiON"}, {15, "PlusXON"},   {16, "PlusYON"},    {17, "ClipDataON"},
        {21, "TLineR1"}, {22, "TLineR2"},   {23, "PolyR1"},     {24, "PolyR2"},
        {25, "NodeR1"},  {26, "NodeR2"},    {27, "MultiR1"},    {28, "MultiR2"},
        {29, "CalcR1"},  {30, "CalcR2"}};
    for (const auto& [column, text] : named)
        h[column - 1] = QString::fromLatin1(text);
    return h;
}

void PictureBook::clear() {
    book_.clear();
    book_.sheet(figureSheet());
    for (const QString& s : objectSheets())
        book_.sheet(s);
    path_.clear();
    modified_ = false;
}

QString PictureBook::entryText(const Sheet& figures, int row) {
    const QString display = figures.text(row, DisplayName);
    if (!display.isEmpty())
        return display;
    const QString marker = figures.text(row, Marker);
    if (!marker.isEmpty())
        return marker;
    if (!figures.text(row, Source).isEmpty())
        return QStringLiteral("Fig") + QString::number(row);
    return {};
}

std::vector<PictureBook::Entry> PictureBook::entries() const {
    std::vector<Entry> out;
    const Sheet& f = figures();
    for (int row = 1; row <= f.lastRow(); ++row) {
        const QString text = entryText(f, row);
        if (!text.isEmpty())
            out.push_back({row, text});
    }
    return out;
}

std::pair<int, int> PictureBook::appendObjects(const QString& sheet,
                                               const std::vector<QStringList>& rows) {
    if (rows.empty())
        return {0, 0};
    Sheet& s = book_.sheet(sheet);
    const int first = s.lastRow() + 1;
    int row = first;
    for (const QStringList& cells : rows) {
        for (int c = 0; c < cells.size(); ++c)
            s.setText(row, c + 1, cells[c]);
        // An all-empty row would not hold its place.
        if (s.lastRow() < row)
            s.setText(row, 1, QStringLiteral(" "));
        ++row;
    }
    return {first, row - 1};
}

std::vector<QStringList> PictureBook::objectRows(int figureRow, int firstColumn,
                                                 const QString& sheet) const {
    std::vector<QStringList> out;
    const Sheet* s = objects(sheet);
    const int r1 = figures().text(figureRow, firstColumn).toInt();
    const int r2 = figures().text(figureRow, firstColumn + 1).toInt();
    if (!s || r1 < 1 || r2 < r1)
        return out;
    for (int row = r1; row <= std::min(r2, s->lastRow()); ++row) {
        QStringList cells;
        for (int c = 1; c <= s->lastColumn(); ++c)
            cells << s->text(row, c);
        out.push_back(cells);
    }
    return out;
}

void PictureBook::rename(int row, const QString& name) {
    figures().setText(row, DisplayName, name);
    modified_ = true;
}

void PictureBook::deleteFigure(int row) {
    if (row < 1 || row > figures().lastRow())
        return;
    figures().deleteRows(row);
    modified_ = true;
}

bool PictureBook::read(const QString& path, QString* error) {
    Workbook::LoadResult loaded = Workbook::load(path);
    if (!loaded.ok()) {
        if (error)
            *error = loaded.error;
        return false;
    }
    if (!loaded.workbook->hasSheet(figureSheet())) {
        if (error)
            *error = QStringLiteral("no sheet ") + figureSheet();
        return false;
    }
    // Parsed into a new book: the open one stays as it was until here.
    book_ = std::move(*loaded.workbook);
    for (const QString& s : objectSheets())
        book_.sheet(s);
    path_ = QDir::fromNativeSeparators(path);
    modified_ = false;
    return true;
}

QString PictureBook::graphFileFor(const QString& bookPath, int row) {
    QString base = QDir::fromNativeSeparators(bookPath);
    if (base.endsWith(QStringLiteral(".bok"), Qt::CaseInsensitive))
        base.chop(4);
    return base + QString::number(row) + QStringLiteral(".akr");
}

bool PictureBook::isTemporaryGraphFile(const QString& path) {
    return QFileInfo(path).fileName().startsWith(QStringLiteral("StyTmp"), Qt::CaseInsensitive);
}

bool PictureBook::moveGraphFiles(const QString& bookPath, QString* error) {
    Sheet& f = figures();
    for (int row = 1; row <= f.lastRow(); ++row) {
        const QString source = QDir::fromNativeSeparators(f.text(row, GraphFile));
        if (source.isEmpty())
            continue;
        const QString target = graphFileFor(bookPath, row);
        // A re-save names the file that is already there: copying it onto itself lost it.
        if (QFileInfo(source).absoluteFilePath() == QFileInfo(target).absoluteFilePath())
            continue;
        if (!QFileInfo::exists(source)) {
            if (error)
                *error = QStringLiteral("Graph file ") + source + QStringLiteral(" not found");
            continue;
        }
        const QString temporary = target + QStringLiteral(".part");
        QFile::remove(temporary);
        if (!QFile::copy(source, temporary)) {
            if (error)
                *error = QStringLiteral("Cannot copy ") + source;
            return false;
        }
        QFile::remove(target);
        if (!QFile::rename(temporary, target)) {
            if (error)
                *error = QStringLiteral("Cannot write ") + target;
            return false;
        }
        // Another book's graph file stays for that book; the temporary one of an added
        // figure is done with.
        if (isTemporaryGraphFile(source))
            QFile::remove(source);
        f.setText(row, GraphFile, target);
    }
    return true;
}

bool PictureBook::save(const QString& path, QString* error) {
    const QString target = QDir::fromNativeSeparators(path);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!moveGraphFiles(target, error))
        return false;
    const Workbook::SaveResult saved = book_.save(target);
    if (!saved.ok) {
        if (error)
            *error = saved.error;
        return false;
    }
    path_ = target;
    modified_ = false;
    return true;
}
