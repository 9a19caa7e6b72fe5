#pragma once
// The definition window ("Add Spidergram"): builds a spider type's element list from the
// tables and fields of the session database ("Add", "Del", "Up", "Down", "Clear") and stores it
// under a checked name; its second panel stores a normalization sample for a spider type, one
// checked value per element. Talks to the person only through Dialogs.
#include "spider/NormalizationSample.h"
#include "spider/SpiderType.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Connection;
class Dialogs;
struct OpenedConnection;
struct SystemTables;

class SpiderDefinition {
public:
    using SystemOpener = std::function<OpenedConnection()>;

    SpiderDefinition(Dialogs& dialogs, SystemOpener system, const SystemTables& names);
    ~SpiderDefinition();

    static QString caption() { return QStringLiteral("Add Spidergram"); }
    static QString shortName() { return QStringLiteral("AddSpider"); }

    // The element list.
    const QStringList& elements() const { return elements_; }
    void add(const QString& table, const QString& field);
    void addEmpty();
    void remove(int index);
    // Moves the element one place up (-1) or down (+1); false at the end of the list.
    bool move(int index, int by);
    void clear() { elements_.clear(); }

    // The message a name gets, empty when it may be used.
    static QString nameProblem(const QString& name, const QStringList& existing);
    static QString sampleNameProblem(const QString& name, const QStringList& existing);
    // The message for the first value that is neither a number nor "Empty" (a blank counts as
    // "Empty"); empty when all are fine.
    static QString valueProblem(const QStringList& elements, const QStringList& values);

    // "&OK": checks the list and the name, stores the type; false after the message.
    bool saveType(const QString& name);
    // The second panel: the types, and a type's elements and sample names.
    QStringList spiderTypes();
    std::optional<SpiderType> spiderType(const QString& name);
    QStringList sampleNames(const QString& type);
    // Stores a sample; blanks become "Empty". False after the message.
    bool saveSample(const QString& type, const QString& name, const QStringList& values);
    // "&Clear": erases the type's normalization samples after asking.
    bool clearSamples(const QString& type);

private:
    std::unique_ptr<Connection> openSystem();

    Dialogs& dialogs_;
    SystemOpener system_;
    std::unique_ptr<SystemTables> names_;
    QStringList elements_;
};
