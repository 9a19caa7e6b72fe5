#include "app/StartupRequestLog.h"

#include "platform/ConnectionTextRedactor.h"

bool StartupRequestLog::readClipDataFile(const QString& path) {
    note(QStringLiteral("read ClipData file ") + path);
    return false;
}

bool StartupRequestLog::loadClipDataFromSql(const QString& sql, const QString& databasePath,
                                            const QString&, const QString&) {
    note(QStringLiteral("load ClipData from ") + ConnectionTextRedactor::redact(databasePath) +
         QStringLiteral(": ") + sql);
    return false;
}

void StartupRequestLog::showClipDataWindow() {
    note(QStringLiteral("show ClipData"));
}

void StartupRequestLog::showDiagramWindow(bool maximised) {
    note(maximised ? QStringLiteral("show diagram maximised") : QStringLiteral("show diagram"));
}

void StartupRequestLog::setDiagramSelectors(const std::vector<int>& positions) {
    QStringList texts;
    for (int p : positions)
        texts << QString::number(p);
    note(QStringLiteral("diagram selectors ") + texts.join(u','));
}

void StartupRequestLog::setDiagramUsesClipData() {
    note(QStringLiteral("diagram uses ClipData"));
}

bool StartupRequestLog::loadChartFile(const QString& path) {
    note(QStringLiteral("load chart ") + path);
    return false;
}

void StartupRequestLog::pressDiagramDraw() {
    note(QStringLiteral("draw diagram"));
}

bool StartupRequestLog::ReadPictureBook(const QString& path) {
    note(QStringLiteral("read PictureBook ") + path);
    return false;
}

void StartupRequestLog::showPictureBookPanel() {
    note(QStringLiteral("show PictureBook panel"));
}

void StartupRequestLog::setCurrentPictureBook(const QString& path) {
    note(QStringLiteral("current PictureBook ") + path);
}

void StartupRequestLog::pressPictureBookDraw() {
    note(QStringLiteral("draw PictureBook"));
}

void StartupRequestLog::AvaaMacro(const QString& path) {
    note(QStringLiteral("open macro ") + path);
}

void StartupRequestLog::showMainWindow() {
    if (onShowMainWindow)
        onShowMainWindow();
}

void StartupRequestLog::setMainCaption(const QString& caption) {
    note(QStringLiteral("caption ") + caption);
    if (onSetMainCaption)
        onSetMainCaption(caption);
}

void StartupRequestLog::HaeClipAvaaPB(const QString& sql, const QString& pictureBook,
                                      const QString& title) {
    note(QStringLiteral("mail hand-over ") + title + QStringLiteral(" ") + pictureBook +
         QStringLiteral(": ") + sql);
    if (onHaeClipAvaaPB)
        onHaeClipAvaaPB(sql, pictureBook, title);
}

void StartupRequestLog::AJADDE() {
    note(QStringLiteral("sibling link"));
}

void StartupRequestLog::processLinkFile(const QString& path) {
    note(QStringLiteral("link file ") + path);
}

void StartupRequestLog::closeSplash() {
    if (onCloseSplash)
        onCloseSplash();
}
