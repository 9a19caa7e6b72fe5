#include "export/KmlExport.h"

#include "export/KmlDocument.h"
#include "platform/Dialogs.h"
#include "platform/Status.h"

#include <QDir>
#include <QSaveFile>

QString KmlExport::run(const RowSet& selected, const std::vector<bool>& visible,
                       const KmlSettings& settings, const QString& caption,
                       const QString& userFolder) {
    if (selected.isEmpty()) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Select the rows to be included in the file!"));
        return {};
    }
    if (!settings.hasPlacement()) {
        dialogs_.message(MessageKind::Critical,
                         QStringLiteral("Header, Latitude and Longitude are required!"));
        return {};
    }
    const KmlDocument::Result document = KmlDocument::build(selected, visible, settings);
    if (document.truncated)
        dialogs_.message(MessageKind::Exclamation,
                         QStringLiteral("Only ") + QString::number(document.written) +
                             QStringLiteral(" of ") + QString::number(selected.rowCount()) +
                             QStringLiteral(" are to be written into the file (too many rows, "
                                            "reduce rows/description)"));
    const auto path = dialogs_.saveFile(QStringLiteral("As Google Earth *.kml file"),
                                        QStringLiteral("Google Earth files (*.kml)|*.kml"),
                                        userFolder + QLatin1Char('/') + fileName(caption) +
                                            QStringLiteral(".kml"));
    if (!path || path->isEmpty())
        return {};
    QString error;
    if (!write(document.lines, *path, &error)) {
        // Saying so instead of ending silently: the person would look for a file that is not there.
        dialogs_.message(MessageKind::Critical, QStringLiteral("Error in writing file ") + *path +
                                                    QStringLiteral(": ") + error);
        return {};
    }
    if (status_)
        status_->showStatus(QStringLiteral("%1 placemarks written to %2")
                                .arg(document.written)
                                .arg(QDir::toNativeSeparators(*path)),
                            0);
    return *path;
}

QString KmlExport::fileName(const QString& caption) {
    const qsizetype slash = caption.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral("Selection");
    QString name = caption.mid(slash + 1);
    if (name.endsWith(QLatin1Char('>')))
        name.chop(1);
    return name;
}

bool KmlExport::write(const QStringList& lines, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    if (file.write(text) != text.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
