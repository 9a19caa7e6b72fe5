#include "spider/ui/SpiderWindowSet.h"

#include "db/SessionDatabase.h"
#include "db/SystemDatabase.h"
#include "platform/Sheet.h"
#include "platform/qt/SheetTableModel.h"
#include "spider/ui/SpiderDefinitionView.h"
#include "spider/ui/SpiderSampleView.h"
#include "spider/ui/SpiderView.h"

#include <QTableView>

SpiderWindowSet::SpiderWindowSet(Frame frame, QObject* parent)
    : QObject(parent)
    , frame_(std::move(frame)) {}

SpiderView* SpiderWindowSet::openSpider() {
    if (spider_) {
        frame_.activate(spider_);
        return spider_;
    }
    const QString path = frame_.systemDatabase;
    const SystemTables names = frame_.systemTables;
    spider_ = new SpiderView(
        frame_.session, frame_.dialogs, frame_.status,
        [path, names] { return SystemDatabase::open(path, names); }, names);
    spider_->openGrid = frame_.openGrid;
    if (frame_.styles)
        spider_->controller().styles = *frame_.styles;
    spider_->openSystemGrid = frame_.openSystemGrid;
    spider_->library = {path, names, frame_.geometry};
    spider_->openSelection = [this] { openSelection(); };
    spider_->openDefinition = [this] { openDefinition(); };
    spider_->showSheet = [this](const Sheet& sheet, const QString& caption) {
        showSheet(sheet, caption);
    };
    frame_.showChild(spider_, QStringLiteral("Spider"), {960, 640});
    return spider_;
}

SpiderSampleView* SpiderWindowSet::openSelection() {
    if (!openSpider())
        return nullptr;
    if (selection_) {
        frame_.activate(selection_);
        return selection_;
    }
    selection_ =
        new SpiderSampleView(frame_.session, frame_.dialogs, frame_.status, spider_->controller());
    selection_->openGrid = frame_.openGrid;
    selection_->accepted = [this] {
        spider_->showSelection();
        if (selection_ && selection_->parentWidget())
            selection_->parentWidget()->close();
        spider_->draw();
    };
    // The selection window serves this spider window only.
    connect(spider_, &QObject::destroyed, selection_, [this] {
        if (selection_ && selection_->parentWidget())
            selection_->parentWidget()->close();
    });
    frame_.showChild(selection_, QStringLiteral("SelSpiderSamples"), {640, 480});
    return selection_;
}

SpiderDefinitionView* SpiderWindowSet::openDefinition() {
    if (definition_) {
        frame_.activate(definition_);
        return definition_;
    }
    const QString path = frame_.systemDatabase;
    const SystemTables names = frame_.systemTables;
    definition_ = new SpiderDefinitionView(
        frame_.session.catalogue(), frame_.dialogs,
        [path, names] { return SystemDatabase::open(path, names); }, names);
    definition_->libraryChanged = [this] {
        if (spider_)
            spider_->refreshLists();
    };
    frame_.showChild(definition_, QStringLiteral("AddSpider"), {900, 520});
    return definition_;
}

void SpiderWindowSet::refreshLists() {
    if (spider_)
        spider_->refreshLists();
}

void SpiderWindowSet::showSheet(const Sheet& sheet, const QString& caption) {
    auto* view = new QTableView;
    view->setWindowTitle(caption);
    auto* copy = new Sheet(sheet);
    auto* model = new SheetTableModel(copy, view);
    connect(model, &QObject::destroyed, [copy] { delete copy; });
    view->setModel(model);
    frame_.showChild(view, QStringLiteral("SpiderTable"), {720, 420});
}
