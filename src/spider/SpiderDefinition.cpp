#include "spider/SpiderDefinition.h"

#include "db/SystemTables.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/OpenedConnection.h"
#include "spider/SpiderLibrary.h"

namespace {

bool isNumber(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

} // namespace

SpiderDefinition::SpiderDefinition(Dialogs& dialogs, SystemOpener system, const SystemTables& names)
    : dialogs_(dialogs)
    , system_(std::move(system))
    , names_(std::make_unique<SystemTables>(names)) {}

SpiderDefinition::~SpiderDefinition() = default;

void SpiderDefinition::add(const QString& table, const QString& field) {
    elements_ << table + u'.' + field;
}

void SpiderDefinition::addEmpty() {
    elements_ << SpiderType::emptyPosition();
}

void SpiderDefinition::remove(int index) {
    if (index >= 0 && index < elements_.size())
        elements_.removeAt(index);
}

bool SpiderDefinition::move(int index, int by) {
    const int to = index + by;
    if (index < 0 || index >= elements_.size() || to < 0 || to >= elements_.size())
        return false;
    elements_.move(index, to);
    return true;
}

QString SpiderDefinition::nameProblem(const QString& name, const QStringList& existing) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("Blank Spidergram name is not allowed");
    if (isNumber(name))
        return QStringLiteral("Numeric values are not allowed as Spidergram names ");
    if (existing.contains(name.trimmed(), Qt::CaseInsensitive))
        return QStringLiteral("Not accepted Spidergram name. (Name already in use, use another "
                              "name)");
    return {};
}

QString SpiderDefinition::sampleNameProblem(const QString& name, const QStringList& existing) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("Normalization sample name can not be a blank value !");
    if (isNumber(name))
        return QStringLiteral("Normalization sample name can not be a numeric value !");
    if (existing.contains(name.trimmed(), Qt::CaseInsensitive))
        return QStringLiteral("Forbidden Normalization sample name. (Name already in use, use "
                              "another name)");
    return {};
}

QString SpiderDefinition::valueProblem(const QStringList& elements, const QStringList& values) {
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString v = values[i].trimmed();
        if (v.isEmpty() || v == NormalizationSample::emptyValue() || isNumber(v))
            continue;
        return u'(' + elements.value(i) + QStringLiteral(") Normalization sample ") + v +
               QStringLiteral(" must be a numeric value ");
    }
    return {};
}

std::unique_ptr<Connection> SpiderDefinition::openSystem() {
    OpenedConnection opened = system_ ? system_() : OpenedConnection{};
    if (!opened.ok()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in opening the system database\r\n") + opened.error);
        return nullptr;
    }
    return std::move(opened.connection);
}

bool SpiderDefinition::saveType(const QString& name) {
    if (elements_.size() > SpiderLibrary::maxPositions) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Selection too large. (>50) Please deselect tables "));
        return false;
    }
    if (elements_.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("No elements selected, please select at least one "
                                        "element "));
        return false;
    }
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, *names_);
    const auto types = library.types();
    QStringList existing;
    for (const SpiderType& t : types.value_or(std::vector<SpiderType>{}))
        existing << t.name;
    if (const QString problem = nameProblem(name, existing); !problem.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, problem);
        return false;
    }
    if (!library.addType({name.trimmed(), elements_})) {
        dialogs_.message(MessageKind::Exclamation, library.lastError());
        return false;
    }
    return true;
}

QStringList SpiderDefinition::spiderTypes() {
    QStringList names;
    if (auto system = openSystem()) {
        SpiderLibrary library(*system, *names_);
        for (const SpiderType& t : library.types().value_or(std::vector<SpiderType>{}))
            names << t.name;
    }
    return names;
}

std::optional<SpiderType> SpiderDefinition::spiderType(const QString& name) {
    auto system = openSystem();
    if (!system)
        return std::nullopt;
    SpiderLibrary library(*system, *names_);
    return library.type(name);
}

QStringList SpiderDefinition::sampleNames(const QString& type) {
    QStringList names;
    if (auto system = openSystem()) {
        SpiderLibrary library(*system, *names_);
        for (const NormalizationSample& s :
             library.samples(type).value_or(std::vector<NormalizationSample>{}))
            names << s.name;
    }
    return names;
}

bool SpiderDefinition::saveSample(const QString& type, const QString& name,
                                  const QStringList& values) {
    const std::optional<SpiderType> spider = spiderType(type);
    if (!spider) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Select spider-normalization "
                                                                  "pair."));
        return false;
    }
    if (const QString problem = sampleNameProblem(name, sampleNames(type)); !problem.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, problem);
        return false;
    }
    if (const QString problem = valueProblem(spider->elements, values); !problem.isEmpty()) {
        dialogs_.message(MessageKind::Exclamation, problem);
        return false;
    }
    QStringList stored;
    for (qsizetype i = 0; i < spider->elements.size(); ++i) {
        const QString v = values.value(i).trimmed();
        stored << (v.isEmpty() ? NormalizationSample::emptyValue() : v);
    }
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, *names_);
    if (!library.addSample({type, name.trimmed(), stored})) {
        dialogs_.message(MessageKind::Exclamation, library.lastError());
        return false;
    }
    return true;
}

bool SpiderDefinition::clearSamples(const QString& type) {
    if (dialogs_.question(QStringLiteral("Delete the normalization samples of ") + type +
                              QStringLiteral("?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    auto system = openSystem();
    if (!system)
        return false;
    SpiderLibrary library(*system, *names_);
    if (!library.removeSamples(type)) {
        dialogs_.message(MessageKind::Exclamation, library.lastError());
        return false;
    }
    return true;
}
