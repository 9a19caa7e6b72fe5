#include "automation/PictureBookController.h"

#include "app/RecentFiles.h"
#include "automation/BookFieldResolver.h"
#include "automation/BoxBookRow.h"
#include "automation/DiagramBookRow.h"
#include "automation/DistributionBookRow.h"
#include "automation/SpiderBookRow.h"
#include "diagram/DiagramWindow.h"
#include "diagram/FigureFile.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"
#include "spider/SpiderWindow.h"
#include "stats/BoxPlotWindow.h"
#include "stats/DistributionWindow.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString recentSection = QStringLiteral("PictureBook");
}

PictureBookController::PictureBookController(Dialogs& dialogs, Status& status, QString userFolder,
                                             QString bookFolder, Parts parts)
    : dialogs_(dialogs)
    , status_(status)
    , userFolder_(QDir::fromNativeSeparators(userFolder))
    , bookFolder_(QDir::fromNativeSeparators(bookFolder))
    , parts_(std::move(parts)) {}

void PictureBookController::notify() {
    if (changed)
        changed();
}

void PictureBookController::record(const QString& line, const QStringList& names) {
    if (parts_.record)
        parts_.record(line, names);
}

void PictureBookController::select(int index) {
    const int count = int(book_.entries().size());
    selected_ = index >= 0 && index < count ? index : -1;
}

int PictureBookController::selectedRow() const {
    const auto list = book_.entries();
    return selected_ >= 0 && selected_ < int(list.size()) ? list[size_t(selected_)].row : 0;
}

QString PictureBookController::bookName() const {
    return book_.path().isEmpty() ? QString() : QFileInfo(book_.path()).completeBaseName();
}

bool PictureBookController::open(const QString& path) {
    QString error;
    if (!book_.read(path, &error)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in reading file ") + path +
                                                       QStringLiteral("\r\n") + error);
        return false;
    }
    selected_ = -1;
    running_ = false;
    rememberBook();
    record(QStringLiteral("PBOPEN ") + book_.path(), {book_.path()});
    notify();
    if (showPanel)
        showPanel();
    return true;
}

bool PictureBookController::openAsk() {
    const QString name = bookName().isEmpty() ? QStringLiteral("NewBook") : bookName();
    const auto path =
        dialogs_.openFile(QStringLiteral("Open PictureBook"), openFilter(),
                          bookFolder_ + QLatin1Char('/') + name + QStringLiteral(".bok"));
    return path && open(*path);
}

bool PictureBookController::save(const QString& path) {
    QString error;
    if (!book_.save(path, &error)) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in saving file ") + path +
                                                       QStringLiteral("\r\n") + error);
        return false;
    }
    rememberBook();
    notify();
    return true;
}

bool PictureBookController::saveAsk(bool askAlways) {
    if (!askAlways && QFileInfo(book_.path()).isFile())
        return save(book_.path());
    const QString name = bookName().isEmpty() ? QStringLiteral("MyBook") : bookName();
    const auto path =
        dialogs_.saveFile(QStringLiteral("Save PictureBook"), saveFilter(),
                          userFolder_ + QStringLiteral("/Books/") + name + QStringLiteral(".bok"));
    return path && save(*path);
}

void PictureBookController::newBook() {
    book_.clear();
    selected_ = -1;
    running_ = false;
    notify();
}

QString PictureBookController::nextGraphFile() const {
    const QString folder = userFolder_ + QStringLiteral("/Books/");
    QDir().mkpath(folder);
    for (int n = 1;; ++n) {
        const QString path =
            folder + QStringLiteral("StyTmp") + QString::number(n) + FigureFile::extension();
        if (!QFileInfo::exists(path))
            return path;
    }
}

QString PictureBookController::saveGraphFile(const Figure& figure,
                                             const QJsonObject& extras) const {
    const QString path = nextGraphFile();
    return FigureFile::save(path, figure, extras) ? path : QString();
}

template <class Window, class Row>
bool PictureBookController::addWindow(const Window& window, bool hasFigure) {
    if (!book_.isOpen())
        book_.setPath(bookFolder_ + QStringLiteral("/NewPicBook.bok"));
    const QString graphFile =
        options.saveGraphFiles && hasFigure ? saveGraphFile(window.figure(), {}) : QString();
    Row::add(book_, window, graphFile);
    selected_ = int(book_.entries().size()) - 1;
    record(QStringLiteral("PBADD"));
    notify();
    return true;
}

bool PictureBookController::addFrom(BoxPlotWindow& window) {
    return addWindow<BoxPlotWindow, BoxBookRow>(window, window.hasFigure());
}

bool PictureBookController::addFrom(SpiderWindow& window) {
    return addWindow<SpiderWindow, SpiderBookRow>(window, !window.figure().series.empty());
}

bool PictureBookController::addFrom(DistributionWindow& window) {
    return addWindow<DistributionWindow, DistributionBookRow>(window, window.hasFigure());
}

bool PictureBookController::add() {
    if (BoxPlotWindow* box = parts_.boxPlot.active ? parts_.boxPlot.active() : nullptr)
        return addFrom(*box);
    if (SpiderWindow* spider = parts_.spider.active ? parts_.spider.active() : nullptr)
        return addFrom(*spider);
    if (DistributionWindow* distribution =
            parts_.distribution.active ? parts_.distribution.active() : nullptr)
        return addFrom(*distribution);
    DiagramWindow* window = parts_.activeDiagram ? parts_.activeDiagram() : nullptr;
    if (!window) {
        dialogs_.message(MessageKind::Information, QStringLiteral("No figure to add"));
        return false;
    }
    return addFrom(*window);
}

bool PictureBookController::addFrom(DiagramWindow& target) {
    DiagramWindow* window = &target;
    if (!book_.isOpen())
        book_.setPath(bookFolder_ + QStringLiteral("/NewPicBook.bok"));
    QString graphFile;
    if (options.saveGraphFiles && window->hasFigure())
        graphFile = saveGraphFile(
            window->figure(), window->graphFileExtras ? window->graphFileExtras() : QJsonObject());
    DiagramBookRow::add(book_, window->definition, graphFile);
    selected_ = int(book_.entries().size()) - 1;
    record(QStringLiteral("PBADD"));
    notify();
    return true;
}

bool PictureBookController::draw(int row) {
    if (!book_.isFigure(row)) {
        dialogs_.message(MessageKind::Information, notFigure(row));
        return false;
    }
    const QString type = book_.figures().text(row, PictureBook::Source);
    const bool statistics = type == BoxBookRow::type() || type == SpiderBookRow::type() ||
                            type == DistributionBookRow::type();
    if (statistics && hasWindowFor(type))
        return drawStatistics(type, row);
    if (type != DiagramBookRow::type()) {
        dialogs_.message(MessageKind::Information, QStringLiteral("Figure type ") + type +
                                                       QStringLiteral(" can not be found"));
        return false;
    }
    DiagramWindow* window = parts_.diagramToDrawIn ? parts_.diagramToDrawIn() : nullptr;
    if (!window)
        return false;
    const QString graphFile = book_.figures().text(row, PictureBook::GraphFile);
    const std::optional<Figure> look =
        graphFile.isEmpty() ? std::nullopt : FigureFile::load(graphFile);
    if (options.objectsOnly) {
        // The figure's objects over the diagram on screen, which is not drawn anew.
        if (look)
            window->adjustFigure([&look](Figure& f) {
                f.lines.insert(f.lines.end(), look->lines.begin(), look->lines.end());
                f.texts.insert(f.texts.end(), look->texts.begin(), look->texts.end());
            });
    } else {
        DiagramDefinition d = DiagramBookRow::read(book_, row);
        if (const SchemaCatalogue* catalogue = parts_.catalogue ? parts_.catalogue() : nullptr)
            BookFieldResolver(*catalogue, dialogs_).resolve(d);
        if (options.figureFilter) {
            d.filterOn = window->definition.filterOn;
            d.filter = window->definition.filter;
        }
        if (options.figureSorter)
            d.sort = window->definition.sort;
        window->definition = d;
        if (!window->draw())
            return false;
        if (look)
            window->adjustFigure([&look](Figure& f) { f.takeAppearance(*look); });
        const QString text = book_.figures().text(row, PictureBook::Name);
        if (options.showCaption && !text.isEmpty())
            window->adjustFigure([&text](Figure& f) { f.subtitles << text; });
    }
    lastDrawn_ = &window->figure();
    if (parts_.drawn)
        parts_.drawn(*window);
    return true;
}

template <class Window, class Restore>
bool PictureBookController::drawIn(const BookWindow<Window>& parts, Restore restore) {
    Window* window = parts.toDrawIn ? parts.toDrawIn() : nullptr;
    if (!window)
        return false;
    restore(*window);
    if (!window->draw())
        return false;
    lastDrawn_ = &window->figure();
    if (parts.drawn)
        parts.drawn(*window);
    return true;
}

bool PictureBookController::hasWindowFor(const QString& type) const {
    if (type == BoxBookRow::type())
        return bool(parts_.boxPlot.toDrawIn);
    if (type == SpiderBookRow::type())
        return bool(parts_.spider.toDrawIn);
    return type == DistributionBookRow::type() && bool(parts_.distribution.toDrawIn);
}

bool PictureBookController::drawStatistics(const QString& type, int row) {
    const SchemaCatalogue* catalogue = parts_.catalogue ? parts_.catalogue() : nullptr;
    std::optional<BookFieldResolver> resolver;
    if (catalogue)
        resolver.emplace(*catalogue, dialogs_);
    if (type == BoxBookRow::type())
        return drawIn(parts_.boxPlot, [&](BoxPlotWindow& w) {
            BoxBookRow::read(book_, row, w);
            if (resolver && !w.useClipData) {
                w.statTable = resolver->resolve(w.statTable, w.statField);
                w.classTable = resolver->resolve(w.classTable, w.classField);
            }
        });
    if (type == SpiderBookRow::type())
        return drawIn(parts_.spider, [&](SpiderWindow& w) {
            SpiderBookRow::read(book_, row, w);
            if (resolver && !w.switches.useClipData && !w.classField().isEmpty())
                w.setClassifier(resolver->resolve(w.classTable(), w.classField()), w.classField());
        });
    return drawIn(parts_.distribution, [&](DistributionWindow& w) {
        DistributionBookRow::read(book_, row, w);
        if (resolver && !w.useClipData)
            w.table = resolver->resolve(w.table, w.field);
    });
}

bool PictureBookController::drawSelected() {
    const int row = selectedRow();
    return row > 0 && draw(row);
}

bool PictureBookController::step(int by) {
    const int count = int(book_.entries().size());
    if (count == 0) {
        dialogs_.message(MessageKind::Information, noFigures());
        return false;
    }
    const int target = selected_ < 0 ? 0 : selected_ + by;
    if (target >= count) {
        running_ = false;
        dialogs_.message(MessageKind::Information, lastPicture());
        return false;
    }
    if (target < 0)
        return false;
    selected_ = target;
    notify();
    return drawSelected();
}

bool PictureBookController::next() {
    return step(1);
}

bool PictureBookController::previous() {
    return step(-1);
}

bool PictureBookController::renameSelected() {
    const int row = selectedRow();
    if (row == 0)
        return false;
    const QString current = PictureBook::entryText(book_.figures(), row);
    const auto name = dialogs_.input(Dialogs::title(), QStringLiteral("Name of the figure:"),
                                     QStringLiteral("Fig ") + current);
    if (!name || name->trimmed().isEmpty())
        return false;
    book_.rename(row, *name);
    notify();
    return true;
}

bool PictureBookController::deleteSelected() {
    const int row = selectedRow();
    if (row == 0)
        return false;
    const Answer a =
        dialogs_.question(QStringLiteral("Delete figure ") +
                              PictureBook::entryText(book_.figures(), row) + QStringLiteral("?"),
                          QuestionButtons::YesNo);
    if (a != Answer::Yes)
        return false;
    book_.deleteFigure(row);
    select(std::min(selected_, int(book_.entries().size()) - 1));
    notify();
    return true;
}

QString PictureBookController::figureText() const {
    const int row = selectedRow();
    return row == 0 ? QString() : book_.figures().toTsv(row, 1, row, PictureBook::ColumnCount);
}

QString PictureBookController::caption() const {
    const int row = selectedRow();
    return row == 0 ? QString() : book_.figures().text(row, PictureBook::Name);
}

void PictureBookController::setCaption(const QString& text) {
    const int row = selectedRow();
    if (row == 0)
        return;
    book_.figures().setText(row, PictureBook::Name, text);
    book_.setModified();
}

bool PictureBookController::eachFigure(const FigureSink& sink) {
    const auto list = book_.entries();
    if (list.empty()) {
        dialogs_.message(MessageKind::Information, noFigures());
        return false;
    }
    for (size_t i = 0; i < list.size(); ++i) {
        selected_ = int(i);
        notify();
        lastDrawn_ = nullptr;
        if (!draw(list[i].row) || !lastDrawn_)
            continue;
        QString caption = list[i].text;
        const QString text = book_.figures().text(list[i].row, PictureBook::Name);
        if (!text.isEmpty())
            caption += QLatin1Char('\n') + text;
        sink(caption, *lastDrawn_);
    }
    return true;
}

bool PictureBookController::askSlideSeconds() {
    const QString old = QString::number(slideSeconds_);
    const auto answer = dialogs_.input(
        Dialogs::title(), QStringLiteral("Give time each figure is shown (in seconds):"), old);
    if (!answer || *answer == old)
        return false;
    bool numeric = false;
    const double seconds = answer->trimmed().toDouble(&numeric);
    if (!numeric || !(seconds > 0) || seconds > 86400)
        return false;
    slideSeconds_ = float(seconds);
    return true;
}

bool PictureBookController::startSlideShow() {
    if (book_.entries().empty()) {
        dialogs_.message(MessageKind::Information, noFigures());
        return false;
    }
    selected_ = 0;
    running_ = true;
    notify();
    drawSelected();
    status_.showStatus(countdown(int(slideSeconds_)), 0);
    return true;
}

bool PictureBookController::slideTick() {
    if (!running_)
        return false;
    return step(1);
}

bool PictureBookController::askStopSlideShow() {
    if (!running_)
        return false;
    if (dialogs_.question(QStringLiteral("Stop Animation?"), QuestionButtons::YesNo) != Answer::Yes)
        return false;
    running_ = false;
    return true;
}

void PictureBookController::rememberBook() const {
    if (!lastFilesIni.isEmpty())
        RecentFiles(lastFilesIni).add(book_.path(), recentSection);
}

QStringList PictureBookController::recentBooks() const {
    return lastFilesIni.isEmpty() ? QStringList()
                                  : RecentFiles(lastFilesIni).entries(recentSection);
}

CommandResult PictureBookController::runCommand(const MacroCommand& c) {
    const QString& k = c.keyword;
    if (k == QLatin1String("PBOPEN") || k == QLatin1String("OPENPICBOOK")) {
        const QString target = c.wholeName();
        if (target.isEmpty())
            return CommandResult::failed(k + QStringLiteral(" needs a number or a path"));
        bool numeric = false;
        const int n = target.toInt(&numeric);
        QString path = target;
        if (numeric) {
            const QStringList recent = recentBooks();
            if (n < 1 || n > recent.size() || recent[n - 1].isEmpty())
                return CommandResult::failed(QStringLiteral("No recent PictureBook ") + target);
            path = recent[n - 1];
        }
        return CommandResult::of(open(path));
    }
    if (k == QLatin1String("PBADD"))
        return CommandResult::of(add());
    if (k == QLatin1String("PBNEXT"))
        return CommandResult::of(next());
    if (k == QLatin1String("PBPREVIOUS"))
        return CommandResult::of(previous());
    if (k == QLatin1String("PBSAVE")) {
        const QString path = c.wholeName();
        return path.isEmpty() ? CommandResult::of(saveAsk(false)) : CommandResult::of(save(path));
    }
    if (k == QLatin1String("PBANIRUN"))
        return CommandResult::of(startSlideShow());
    return CommandResult::notAvailable(k);
}
