#pragma once
// The PictureBook panel of the main window, without its widgets: the open book, the selected
// list entry, the drawing options, adding the active diagram, drawing a figure into a diagram
// window, next and previous, rename, delete, the slide show's state and the book's commands
// (PBOPEN, PBADD, PBNEXT, PBPREVIOUS, PBSAVE, PBANIRUN). Talks through Dialogs and Status; the
// running program hands it its diagram windows through Parts. Its caller's dialogs and status
// must outlive it.
#include "automation/CommandTarget.h"
#include "automation/PictureBook.h"

#include <QJsonObject>
#include <functional>

class BoxPlotWindow;
class DiagramWindow;
class DistributionWindow;
class SpiderWindow;
class Figure;
class Dialogs;
class SchemaCatalogue;
class Status;

class PictureBookController {
public:
    // A statistics window of the running program: the one active now (Add), the one a figure of
    // its type is drawn in, and after drawing its view showing the figure.
    template <class Window> struct BookWindow {
        std::function<Window*()> active;
        std::function<Window*()> toDrawIn;
        std::function<void(Window&)> drawn;
    };
    struct Parts {
        // The active diagram window (Add); nullptr when none.
        std::function<DiagramWindow*()> activeDiagram;
        // The window a figure is drawn in: the current diagram window or a new one.
        std::function<DiagramWindow*()> diagramToDrawIn;
        // After a figure was drawn in a window: its view shows it.
        std::function<void(DiagramWindow&)> drawn;
        std::function<const SchemaCatalogue*()> catalogue;
        // The macro recorder: the line and the names it holds.
        std::function<void(const QString& line, const QStringList& names)> record;
        BookWindow<BoxPlotWindow> boxPlot = {};
        BookWindow<SpiderWindow> spider = {};
        BookWindow<DistributionWindow> distribution = {};
    };
    struct Options {
        bool showCaption = false;    // "Show caption text"
        bool objectsOnly = false;    // "Add objects only"
        bool figureFilter = false;   // "Use filter given in Fig"
        bool figureSorter = false;   // "Use sorter given in Fig"
        bool saveGraphFiles = false; // "Save akr files"
    };

    static QString lastPicture() { return QStringLiteral("This is last picture"); }
    static QString noFigures() { return QStringLiteral("No figures"); }
    static QString openFilter() {
        return QStringLiteral("PictureBook Files (*.bok,*.aux;*.zol;*.pbk)|*.bok;*.aux;*.zol;"
                              "*.pbk|All files (*.*)|*.*");
    }
    static QString saveFilter() { return QStringLiteral("PictureBook Files (*.bok)|*.bok"); }
    static QString notFigure(int row) {
        return QStringLiteral("Not Figure on row ") + QString::number(row);
    }
    static QString countdown(int seconds) {
        return QStringLiteral("Next after ") + QString::number(seconds) +
               QStringLiteral(" seconds");
    }

    // userFolder: the user's folder ("/Books/" under it); bookFolder: UserPictureBookPath.
    PictureBookController(Dialogs& dialogs, Status& status, QString userFolder, QString bookFolder,
                          Parts parts);

    PictureBook& book() { return book_; }
    const PictureBook& book() const { return book_; }
    Options options;
    // The list changed (entries, selection or the book's name): the view shows it again.
    std::function<void()> changed;
    // The book is to be shown (after an open): the view shows the panel.
    std::function<void()> showPanel;

    std::vector<PictureBook::Entry> entries() const { return book_.entries(); }
    // The selected list entry (0-based), -1 when none.
    int selected() const { return selected_; }
    void select(int index);
    int selectedRow() const;
    // The book's name: its file name without ".bok", "" when no book is open.
    QString bookName() const;

    // ReadPictureBook: false after the message saying why.
    bool open(const QString& path);
    bool openAsk();
    bool save(const QString& path);
    // "Save" (asks only when the book has no path yet) and "Save As".
    bool saveAsk(bool askAlways);
    void newBook();

    // Add figure: the active diagram as a new row; false when there is none to add.
    bool add();
    bool addFrom(DiagramWindow& window);
    bool addFrom(BoxPlotWindow& window);
    bool addFrom(SpiderWindow& window);
    bool addFrom(DistributionWindow& window);
    // Draws the figure of a row; false after the message saying why.
    bool draw(int row);
    bool drawSelected();
    // Next / previous entry, drawn; at the end "This is last picture".
    bool next();
    bool previous();
    bool renameSelected();
    bool deleteSelected();
    // The selected row's cells, tab separated (copy figure text).
    QString figureText() const;
    // The caption text of the selected figure (column 1) and its change ("Save").
    QString caption() const;
    void setCaption(const QString& text);

    // The report: every figure drawn in list order and handed over with its entry text (and
    // its caption text, when it has one, on a line below); "No figures" when the list is empty.
    using FigureSink = std::function<void(const QString& caption, const Figure& figure)>;
    bool eachFigure(const FigureSink& sink);

    // Slide show.
    double slideSeconds() const { return slideSeconds_; }
    bool askSlideSeconds();
    // First entry selected (and drawn) and the show running; "No figures" when empty.
    bool startSlideShow();
    // One figure-timer tick: the next figure; false (and the show stopped) after the last.
    bool slideTick();
    bool slideShowRunning() const { return running_; }
    // "Stop Animation?"; true when stopped.
    bool askStopSlideShow();
    void stopSlideShow() { running_ = false; }

    // The figure the last draw of a book row gave; nullptr before one.
    const Figure* lastDrawn() const { return lastDrawn_; }

    // Closing: "PictureBook not saved." ... Yes saves.
    bool isUnsaved() const { return book_.isModified(); }

    // PBOPEN / OPENPICBOOK n|path (n: the n-th recent book), PBADD, PBNEXT, PBPREVIOUS,
    // PBSAVE path, PBANIRUN.
    CommandResult runCommand(const MacroCommand& command);
    // The recent books: section "PictureBook" of this lastfiles.ini, most recent first; each
    // book opened or saved goes first. None kept when empty.
    QString lastFilesIni;
    QStringList recentBooks() const;

private:
    bool step(int by);
    void rememberBook() const;
    template <class Window, class Row> bool addWindow(const Window& window, bool hasFigure);
    // A figure drawn in a window of its type after restore put the row's settings in.
    template <class Window, class Restore>
    bool drawIn(const BookWindow<Window>& parts, Restore restore);
    bool drawStatistics(const QString& type, int row);
    // Whether this program has a window for a statistics figure of the type.
    bool hasWindowFor(const QString& type) const;
    QString saveGraphFile(const Figure& figure, const QJsonObject& extras) const;
    void notify();
    void record(const QString& line, const QStringList& names = {});
    QString nextGraphFile() const;

    Dialogs& dialogs_;
    Status& status_;
    QString userFolder_;
    QString bookFolder_;
    Parts parts_;
    PictureBook book_;
    int selected_ = -1;
    const Figure* lastDrawn_ = nullptr;
    double slideSeconds_ = 5;
    bool running_ = false;
};
