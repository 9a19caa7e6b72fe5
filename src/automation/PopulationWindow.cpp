#include "automation/PopulationWindow.h"

#include "db/ConnectionFactory.h"
#include "db/SessionDatabase.h"
#include "platform/Connection.h"
#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "platform/Workbook.h"
#include "platform/sqlite/SqliteConnection.h"

#include <QFile>

PopulationWindow::PopulationWindow(SessionDatabase& session, Dialogs& dialogs, Status& status,
                                   QString programIni, QString userIni)
    : session_(session)
    , dialogs_(dialogs)
    , status_(status)
    , programIni_(std::move(programIni))
    , userIni_(std::move(userIni)) {}

PopulationWindow::~PopulationWindow() = default;

bool PopulationWindow::saveDefaults() {
    IniFile ini = IniFile::load(userIni_);
    ini.setValue(section(), QStringLiteral("PopIDField"), definition.field);
    ini.setValue(section(), QStringLiteral("PopIDTable"), definition.table);
    ini.setValue(section(), QStringLiteral("PopIDKey"), definition.key);
    ini.setValue(section(), QStringLiteral("PopIDFilter"), definition.filter);
    ini.setValue(section(), QStringLiteral("PopulationDatabase"), resultPath_);
    QString error;
    if (ini.save(userIni_, &error))
        return true;
    dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in writing file ") + userIni_ +
                                                   QStringLiteral("\r\n") + error);
    return false;
}

void PopulationWindow::readDefaults() {
    const IniFile user = IniFile::load(userIni_);
    const IniFile program = IniFile::load(programIni_);
    const auto read = [&user, &program](const char* key) {
        const QString k = QString::fromLatin1(key);
        return user.value(section(), k).value_or(program.value(section(), k).value_or(QString()));
    };
    definition = {read("PopIDTable"), read("PopIDField"), read("PopIDKey"), read("PopIDFilter")};
    const QString result = read("PopulationDatabase");
    if (!result.isEmpty() && QFile::exists(result))
        setResultDatabase(result);
}

bool PopulationWindow::setResultDatabase(const QString& path) {
    OpenedConnection opened = ConnectionFactory::open(path);
    if (!opened.ok()) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in opening ") + path +
                                                       QStringLiteral("\r\n") + opened.error);
        return false;
    }
    result_ = std::move(opened.connection);
    resultPath_ = path;
    return true;
}

bool PopulationWindow::newResultDatabase(const QString& path) {
    QFile::remove(path);
    OpenedConnection opened = SqliteConnection::open(path, SqliteConnection::Mode::ReadWriteCreate);
    if (!opened.ok() ||
        !opened.connection->execute(
            QStringLiteral("CREATE TABLE [Analysis] ([PopID] TEXT(255))")) ||
        !opened.connection->execute(
            QStringLiteral("CREATE UNIQUE INDEX [PopID] ON [Analysis] ([PopID]) WITH PRIMARY"))) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in creating ") + path);
        return false;
    }
    result_ = std::move(opened.connection);
    resultPath_ = path;
    return true;
}

bool PopulationWindow::saveProgram(const QString& path) {
    Workbook book;
    book.sheet(programSheet()) = program;
    const Workbook::SaveResult saved = book.save(path);
    if (!saved.ok)
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("Error in writing file ") + path +
                                                       QStringLiteral("\r\n") + saved.error);
    else
        programFile = path;
    return saved.ok;
}

bool PopulationWindow::openProgram(const QString& path, bool append) {
    const Workbook::LoadResult loaded = Workbook::load(path);
    const Sheet* sheet = loaded.ok() ? loaded.workbook->findSheet(programSheet()) : nullptr;
    if (!sheet) {
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Error in reading file ") + path + QStringLiteral("\r\n") +
                             (loaded.ok() ? QStringLiteral("no program sheet") : loaded.error));
        return false;
    }
    if (!append) {
        program = *sheet;
        programFile = path;
        return true;
    }
    int end = 0;
    while (!program.text(end + 1, PopulationAnalysis::Action).isEmpty())
        ++end;
    sheet->copyRange(1, 1, std::max(1, sheet->lastRow()), std::max(1, sheet->lastColumn()), program,
                     end + 1, 1);
    return true;
}

bool PopulationWindow::run() {
    Connection* data = session_.connection();
    if (!data) {
        dialogs_.message(MessageKind::Exclamation, QStringLiteral("No database open"));
        return false;
    }
    if ((definition.key.isEmpty() || !result_) &&
        dialogs_.question(QStringLiteral("Database or PopulationID not defined. Continue anyway?"),
                          QuestionButtons::YesNo) != Answer::Yes)
        return false;
    if (definition.key.isEmpty())
        return false;
    PopulationAnalysis analysis(*data, dialogs_, status_);
    analysis.definition = definition;
    analysis.program = program;
    analysis.resultDatabase = result_.get();
    analysis.resultDatabaseName = resultPath_;
    analysis.programFile = programFile;
    analysis.verify = verify;
    analysis.showTable = showTable;
    analysis.log = [this](const QString& line) { log << line; };
    return analysis.run();
}
