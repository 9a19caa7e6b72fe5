#include "automation/BatchCommandHost.h"

#include "app/RecentFiles.h"
#include "db/SessionDatabase.h"
#include "diagram/DiagramCommands.h"
#include "diagram/DiagramObjectController.h"
#include "diagram/DiagramWindow.h"
#include "stats/BoxPlotWindow.h"
#include "stats/BoxWhiskerSettings.h"
#include "stats/DistributionWindow.h"

#include <QFileInfo>

struct BatchCommandHost::Diagram {
    Diagram(SessionDatabase& session, Dialogs& dialogs, Status& status)
        : window(session, dialogs, status)
        , objects(window, session, dialogs)
        , commands(window, session) {}
    DiagramWindow window;
    DiagramObjectController objects; // goes before its window
    DiagramCommands commands;
};

BatchCommandHost::BatchCommandHost(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                   const QString& lastFilesIni,
                                   std::function<QString(const QString&)> resolve)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , clipData_(session, dialogs, status, lastFilesIni)
    , main_(
          {[lastFilesIni] { return RecentFiles(lastFilesIni).entries(QStringLiteral("Session")); },
           [&session, resolve](const QString& path) {
               session.SessionDatabasePath = resolve ? resolve(path) : path;
               return session.OpenSessionDatabase({true, false, false});
           },
           {}},
          nullptr)
    , book_(dialogs, status, QFileInfo(lastFilesIni).absolutePath(),
            QFileInfo(lastFilesIni).absolutePath() + QStringLiteral("/Books"),
            {[this]() -> DiagramWindow* {
                 return diagrams_.empty() ? nullptr : &diagrams_.back()->window;
             },
             [this]() -> DiagramWindow* {
                 return diagrams_.empty() ? &open(QStringLiteral("XY")).window
                                          : &diagrams_.back()->window;
             },
             {},
             [&session]() -> const SchemaCatalogue* { return &session.catalogue(); },
             {},
             {{}, [this] { return boxPlot(); }, {}},
             {{}, [this] { return spider(); }, {}},
             {{}, [this] { return distribution(); }, {}}}) {
    book_.lastFilesIni = lastFilesIni;
    main_.setBook([this](const MacroCommand& c) { return book_.runCommand(c); });
    main_.registerView(QStringLiteral("BOOK"), [] { return true; });
    main_.registerView(QStringLiteral("XY"), [this] { return open(QStringLiteral("XY")), true; });
    main_.registerView(QStringLiteral("TERN"),
                       [this] { return open(QStringLiteral("Ternary")), true; });
    // The one sheet is always there.
    main_.registerView(QStringLiteral("CLIPDATA"), [] { return true; });
}

BatchCommandHost::~BatchCommandHost() = default;

BatchCommandHost::Diagram& BatchCommandHost::open(const QString& graphType) {
    auto diagram = std::make_unique<Diagram>(session_, dialogs_, status_);
    diagram->window.definition.graphType = graphType;
    diagram->window.setClipDataSource(
        [this]() -> Sheet* { return &clipData_.sheet().activePage(); });
    DiagramWindow* window = &diagram->window;
    diagram->commands.hooks.byKeyword["ADDTOPICTUREBOOK"] = [this, window](const MacroCommand&) {
        return book_.addFrom(*window);
    };
    diagram->commands.hooks.byKeyword["PICBOOK"] = [](const MacroCommand&) { return true; };
    diagrams_.push_back(std::move(diagram));
    return *diagrams_.back();
}

BoxPlotWindow* BatchCommandHost::boxPlot() {
    if (!boxPlot_) {
        boxPlot_ = std::make_unique<BoxPlotWindow>(session_, dialogs_, status_,
                                                   BoxWhiskerSettings::shared());
        boxPlot_->setClipDataSource([this] { return &clipData_.sheet().activePage(); });
    }
    return boxPlot_.get();
}

DistributionWindow* BatchCommandHost::distribution() {
    if (!distribution_) {
        distribution_ = std::make_unique<DistributionWindow>(session_, dialogs_, status_);
        distribution_->setClipDataSource([this] { return &clipData_.sheet().activePage(); });
    }
    return distribution_.get();
}

SpiderWindow* BatchCommandHost::spider() {
    if (!spider_) {
        spider_ = std::make_unique<SpiderWindow>(session_, dialogs_, status_, systemOpener_,
                                                 systemTables_);
        spider_->setClipDataSource([this] { return &clipData_.sheet().activePage(); });
    }
    // The types as the system database holds them now; false after the message.
    return spider_->reloadLibrary() ? spider_.get() : nullptr;
}

CommandTarget* BatchCommandHost::currentDiagram() {
    return diagrams_.empty() ? nullptr : &diagrams_.back()->commands;
}

CommandTarget* BatchCommandHost::newDiagram() {
    return &open(QStringLiteral("XY")).commands;
}

std::vector<CommandTarget*> BatchCommandHost::openWindows() {
    std::vector<CommandTarget*> windows{&clipDataTarget_};
    for (const auto& d : diagrams_)
        windows.push_back(&d->commands);
    return windows;
}
