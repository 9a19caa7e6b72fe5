#include "app/ui/FrameCommands.h"

#include "app/MainWindow.h"
#include "app/ui/FramePictureBook.h"
#include "app/ui/MainFrame.h"
#include "automation/ClipDataCommandTarget.h"
#include "automation/CommandInterpreter.h"
#include "automation/CommandPanel.h"
#include "automation/MacroFile.h"
#include "automation/MacroRecorder.h"
#include "automation/MainCommands.h"
#include "automation/ui/CommandPanelView.h"
#include "clipdata/ui/ClipDataView.h"
#include "diagram/DiagramCommands.h"
#include "diagram/ui/DiagramView.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtStatus.h"
#include "spider/ui/SpiderView.h"
#include "spider/ui/SpiderWindowSet.h"
#include "stats/ui/ComparisonWindowSet.h"

#include <QDockWidget>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace {
// A diagram window's commands, living as long as its view.
struct DiagramCommandsHolder : QObject {
    DiagramCommandsHolder(DiagramView& view, SessionDatabase& session)
        : QObject(&view)
        , commands(view.controller(), session) {
        setObjectName(QStringLiteral("diagramCommands"));
    }
    DiagramCommands commands;
};

QString plain(const QString& caption) {
    return QString(caption).remove(QLatin1Char('&')).trimmed();
}

QAction* actionCaptioned(QWidget& view, const QString& caption) {
    for (QAction* a : view.findChildren<QAction*>())
        if (!a->menu() && plain(a->text()) == caption)
            return a;
    return nullptr;
}

bool trigger(QWidget& view, const QString& caption) {
    QAction* a = actionCaptioned(view, caption);
    if (a)
        a->trigger();
    return a != nullptr;
}

QString tagOf(const QWidget* w) {
    return w ? w->property("Tag").toString() : QString();
}
} // namespace

FrameCommands::FrameCommands(MainFrame& frame, const QString& userFolder)
    : QObject(&frame)
    , frame_(frame)
    , userFolder_(userFolder)
    , recorder_(std::make_unique<MacroRecorder>()) {
    MainWindow& controller = *frame.controller_;
    main_ = std::make_unique<MainCommands>(
        MainCommands::Parts{[&controller] { return controller.recentDatabases(); },
                            [&controller](const QString& path) {
                                return controller.OpenDBFromMDI(path, true, true);
                            },
                            [&frame] { return frame.windowTitle(); }},
        recorder_.get());
    clipData_ = std::make_unique<ClipDataCommandTarget>(*frame.clipData_);
    clipData_->onShow = [&frame] { frame.openClipData(); };
    clipData_->changed = [&frame] { frame.refreshClipDataView(); };
    clipData_->tagOf = [&frame] {
        for (QMdiSubWindow* w : frame.area_->subWindowList())
            if (qobject_cast<ClipDataView*>(w->widget()))
                return tagOf(w->widget());
        return QString();
    };
    interpreter_ = std::make_unique<CommandInterpreter>(*this);
    panel_ = std::make_unique<CommandPanel>(*interpreter_, *recorder_, frame.status());
    view_ = new CommandPanelView(*panel_);
    dock_ = new QDockWidget(QStringLiteral("Command"), &frame);
    dock_->setObjectName(QStringLiteral("commandPanel"));
    dock_->setWidget(view_);
    frame.addDockWidget(Qt::BottomDockWidgetArea, dock_);
    dock_->hide();
    recorder_->changed = [this] { view_->refresh(); };
    recorder_->refused = [&frame](const QString& why) { frame.status().showStatus(why, 0); };
    controller.hooks.recordCommand = [this](const QString& line) {
        recorder_->record(line, {line.section(QLatin1Char(' '), 1)});
    };
    registerViews();
}

// The panel's view goes first: it holds the panel.
FrameCommands::~FrameCommands() {
    delete dock_;
}

void FrameCommands::registerViews() {
    MainFrame& f = frame_;
    const auto shown = [](auto* window) { return window != nullptr; };
    MainCommands& m = *main_;
    // VIEW XY and VIEW TERN number their windows in the order opened in this run; an XY
    // window fills the frame.
    m.registerView("XY", [this] {
        return openNumberedDiagram(QStringLiteral("XY"), QStringLiteral("XY Diagram"), xyWindows_,
                                   true);
    });
    m.registerView("TERN", [this] {
        return openNumberedDiagram(QStringLiteral("Ternary"), QStringLiteral("Ternary Diagram"),
                                   ternaryWindows_, false);
    });
    m.registerView("SPIDER", [&f, shown] { return shown(f.openSpider()); });
    m.registerView("DESCRSTAT", [&f, shown] { return shown(f.openDescriptiveStatistics()); });
    m.registerView("STAT", [&f, shown] { return shown(f.openDescriptiveStatistics()); });
    m.registerView("BOXANDWHISKER", [&f, shown] { return shown(f.openBoxPlot()); });
    m.registerView("DISTRIBUTION", [&f, shown] { return shown(f.openDistribution()); });
    m.registerView("CORRELATION", [&f] {
        f.comparisons_->openCorrelation();
        return true;
    });
    m.registerView("TTEST", [&f] {
        f.comparisons_->openTwoSampleTest();
        return true;
    });
    m.registerView("CLIPDATA", [&f, shown] { return shown(f.openClipData()); });
    m.registerView("FILT", [&f, shown] { return shown(f.openFilterWindow()); });
    m.registerView("CALC", [&f, shown] { return shown(f.openUserCalc()); });
    m.registerView("CONV", [&f, shown] { return shown(f.openConverter()); });
    m.registerView("POPULATION", [&f, shown] { return shown(f.openPopulation()); });
    m.registerView("SQL", [&f, shown] { return shown(f.openQueryWindow()); });
    m.registerView("HELPABOUT", [&f] { return trigger(f, QStringLiteral("About Quv Data")); });
    m.registerView("CAT", [&f] {
        f.controller_->showTables();
        return true;
    });
    m.registerView("VIEW", [&f] {
        f.controller_->showQueries();
        return true;
    });
    m.registerView("REFRESH", [&f] {
        f.refreshLists();
        return true;
    });
    m.registerView("HIDEB", [&f] {
        f.findChild<QDockWidget*>(QStringLiteral("databases"))->hide();
        return true;
    });
    m.registerView("EXIT", [&f] { return f.close(); });
    m.registerView("COMMAND", [this] {
        dock_->show();
        view_->commandBox()->setFocus();
        return true;
    });
}

bool FrameCommands::openNumberedDiagram(const QString& graphType, const QString& caption,
                                        int& opened, bool maximised) {
    DiagramView* view = frame_.openDiagram();
    if (!view)
        return false;
    view->controller().definition.graphType = graphType;
    view->setWindowTitle(QStringLiteral("%1 (%2)").arg(caption).arg(++opened));
    view->showController();
    if (maximised)
        if (auto* child = qobject_cast<QMdiSubWindow*>(view->parentWidget()))
            child->showMaximized();
    return true;
}

void FrameCommands::addMacroItems(QMenu& file) {
    file.addAction(QStringLiteral("Open Macro..."), this, [this] {
        if (const auto path = frame_.parts_->dialogs.openFile(
                QStringLiteral("Open macro"), MacroFile::filter(), userFolder_ + "/Books"))
            openMacro(*path);
    });
    file.addAction(QStringLiteral("Save Macro..."), this, [this] {
        if (const auto path =
                frame_.parts_->dialogs.saveFile(QStringLiteral("Save macro"), MacroFile::filter(),
                                                userFolder_ + MacroFile::defaultName()))
            saveMacro(*path);
    });
}

void FrameCommands::addPanelItem(QMenu& view) {
    QAction* panel = dock_->toggleViewAction();
    panel->setText(QStringLiteral("Command panel"));
    view.addAction(panel);
}

bool FrameCommands::openMacro(const QString& path) {
    QString error;
    const auto lines = MacroFile::read(path, &error);
    if (!lines) {
        frame_.parts_->dialogs.message(MessageKind::Exclamation,
                                       QStringLiteral("The file ") + path +
                                           QStringLiteral(" cannot be read: ") + error);
        return false;
    }
    recorder_->setLines(*lines);
    dock_->show();
    return true;
}

CommandResult FrameCommands::AjaCmdKomento(const QString& line) {
    const CommandResult result = interpreter_->execute(line);
    if (!result.note.isEmpty())
        frame_.status().showStatus(line.trimmed() + QStringLiteral(": ") + result.note, 0);
    return result;
}

bool FrameCommands::saveMacro(const QString& path) {
    QString error;
    if (MacroFile::write(path, recorder_->lines(), &error))
        return true;
    frame_.parts_->dialogs.message(MessageKind::Exclamation,
                                   QStringLiteral("Error in writing file ") + path +
                                       QStringLiteral("\r\n") + error);
    return false;
}

QString FrameCommands::menuActionName(const QString& menu, const QString& caption) {
    // "Paste Special" > "Values" is "<PASTESPECIAL_VALUES".
    return QLatin1Char('<') + plain(menu).toUpper().remove(QLatin1Char(' ')) + QLatin1Char('_') +
           plain(caption).toUpper().replace(QLatin1Char(' '), QLatin1Char('_'));
}

DiagramCommands& FrameCommands::attach(DiagramView& view) {
    if (auto* held = view.findChild<DiagramCommandsHolder*>(QStringLiteral("diagramCommands"),
                                                            Qt::FindDirectChildrenOnly))
        return held->commands;
    auto* holder = new DiagramCommandsHolder(view, frame_.parts_->session);
    DiagramCommands& commands = holder->commands;
    DiagramView* v = &view;
    commands.hooks.caption = [v] { return v->windowTitle(); };
    commands.hooks.tag = [v] { return tagOf(v); };
    commands.hooks.show = [this, v] {
        for (QMdiSubWindow* w : frame_.area_->subWindowList())
            if (w->widget() == v)
                frame_.bringForward(w);
    };
    commands.hooks.draw = [v] { return v->draw(); };
    commands.hooks.changed = [v] { v->showController(); };
    const auto captioned = [v](const char* caption) {
        return
            [v, caption](const MacroCommand&) { return trigger(*v, QString::fromUtf8(caption)); };
    };
    commands.hooks.byKeyword["AXISSCALES"] = captioned("Scale axis...");
    commands.hooks.byKeyword["AXISUNITS"] = captioned("Change units...");
    commands.hooks.byKeyword["DISCRTODB"] = captioned("Store Groups...");
    // The diagram's PictureBook keywords: the book's panel, and this diagram added to it.
    commands.hooks.byKeyword["PICBOOK"] = [this](const MacroCommand&) {
        FramePictureBook* book = frame_.pictureBook();
        if (book)
            book->dock()->show();
        return book != nullptr;
    };
    commands.hooks.byKeyword["ADDTOPICTUREBOOK"] = [this, v](const MacroCommand&) {
        FramePictureBook* book = frame_.pictureBook();
        return book && book->controller().addFrom(v->controller());
    };
    commands.hooks.byKeyword["FIT"] = captioned("Fit...");
    commands.hooks.byKeyword["LINEARFIT"] = captioned("Fit Linear");
    commands.hooks.byKeyword["STYLES"] = captioned("Graph symbol and line styles...");
    commands.hooks.byKeyword["SHOWSAMPLEBROWSER"] = [this](const MacroCommand&) {
        frame_.findChild<QDockWidget*>(QStringLiteral("databases"))->show();
        return true;
    };
    const QMenuBar* bar = view.findChild<QMenuBar*>();
    // The menus of the bar and their submenus (Edit > Paste Special).
    const QList<QMenu*> menus = bar ? bar->findChildren<QMenu*>() : QList<QMenu*>();
    commands.hooks.menu = [v, menus](const QString& name,
                                     const QString& argument) -> std::optional<bool> {
        if (name == QLatin1String("<FILE_OPEN_AKR") && !argument.isEmpty())
            return v->openGraphFile(argument);
        for (QMenu* menu : menus)
            for (QAction* a : menu->actions())
                if (!a->menu() && !a->isSeparator() &&
                    menuActionName(menu->title(), a->text()) == name) {
                    a->trigger();
                    return true;
                }
        return std::nullopt;
    };
    // Recording: each draw's DRAW2 line and the File and Edit items the library names.
    DiagramWindow& window = view.controller();
    window.setRecorder([this, &window](const QString& line) {
        // Object edits draw the figure again as it was: one line for it is enough.
        if (!recorder_->lines().isEmpty() && recorder_->lines().constLast() == line)
            return;
        const DiagramDefinition& d = window.definition;
        QStringList names{d.filter};
        for (size_t i = 0; i < d.tables.size(); ++i)
            names << d.tables[i] << d.fields[i];
        recorder_->record(line, names);
    });
    for (QMenu* menu : menus)
        for (QAction* a : menu->actions()) {
            if (a->menu() || a->isSeparator())
                continue;
            const QString name = menuActionName(menu->title(), a->text());
            if (!interpreter_->library().find(name))
                continue;
            connect(a, &QAction::triggered, this,
                    [this, name] { recorder_->record(QLatin1Char('>') + name.mid(1)); });
        }
    return commands;
}

CommandTarget* FrameCommands::currentDiagram() {
    DiagramView* view = frame_.currentDiagram();
    return view ? &attach(*view) : nullptr;
}

CommandTarget* FrameCommands::newDiagram() {
    DiagramView* view = frame_.openDiagram();
    return view ? &attach(*view) : nullptr;
}

CommandTarget* FrameCommands::clipData() {
    return clipData_.get();
}

CommandTarget& FrameCommands::main() {
    return *main_;
}

std::vector<CommandTarget*> FrameCommands::openWindows() {
    std::vector<CommandTarget*> windows;
    for (QMdiSubWindow* w : frame_.area_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* diagram = qobject_cast<DiagramView*>(w->widget()))
            windows.push_back(&attach(*diagram));
        else if (qobject_cast<ClipDataView*>(w->widget()))
            windows.push_back(clipData_.get());
    }
    return windows;
}

void FrameCommands::setMainCaption(const QString& caption) {
    frame_.setWindowTitle(caption);
}
