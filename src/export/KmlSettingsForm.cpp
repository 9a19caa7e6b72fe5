#include "export/KmlSettingsForm.h"

#include "platform/Dialogs.h"
#include "platform/NumberText.h"

KmlSettingsForm::KmlSettingsForm(QStringList captions, KmlSettings& settings)
    : captions_(std::move(captions))
    , settings_(settings) {}

QStringList KmlSettingsForm::descriptionList() const {
    return captions_ + QStringList{allItem(), allVisibleItem()};
}

KmlSettingsForm::Choice KmlSettingsForm::current() const {
    Choice c;
    c.header = settings_.headerColumn.value_or(-1);
    c.latitude = settings_.latitudeColumn.value_or(-1);
    c.longitude = settings_.longitudeColumn.value_or(-1);
    const int columns = int(captions_.size());
    switch (settings_.description) {
    case KmlSettings::Description::None:
        break;
    case KmlSettings::Description::Column:
        c.description = settings_.descriptionColumn;
        break;
    case KmlSettings::Description::All:
        c.description = columns;
        break;
    case KmlSettings::Description::AllVisible:
        c.description = columns + 1;
        break;
    }
    c.range = NumberText::floatToText(settings_.range);
    c.tilt = NumberText::floatToText(settings_.tilt);
    return c;
}

bool KmlSettingsForm::accept(const Choice& choice, Dialogs& dialogs) {
    const int columns = int(captions_.size());
    const auto chosen = [columns](int i) { return i >= 0 && i < columns; };
    const auto refuse = [&dialogs](const char* what) {
        dialogs.message(MessageKind::Exclamation,
                        QString::fromLatin1(what) +
                            QStringLiteral(" required for Google Earth File."));
        return false;
    };
    if (!chosen(choice.header))
        return refuse("Header");
    if (!chosen(choice.longitude))
        return refuse("Longitude");
    if (!chosen(choice.latitude))
        return refuse("Latitude");

    settings_.headerColumn = choice.header;
    settings_.latitudeColumn = choice.latitude;
    settings_.longitudeColumn = choice.longitude;
    settings_.descriptionColumn = -1;
    if (chosen(choice.description)) {
        settings_.description = KmlSettings::Description::Column;
        settings_.descriptionColumn = choice.description;
    } else if (choice.description == columns) {
        settings_.description = KmlSettings::Description::All;
    } else if (choice.description == columns + 1) {
        settings_.description = KmlSettings::Description::AllVisible;
    } else {
        settings_.description = KmlSettings::Description::None;
    }
    settings_.range = boundedRange(choice.range);
    settings_.tilt = boundedTilt(choice.tilt);
    return true;
}

float KmlSettingsForm::boundedRange(const QString& text) {
    const auto value = NumberText::fromText(text);
    if (!value || *value > 500000.0 || *value < 10.0)
        return KmlSettings::defaultRange;
    return float(*value);
}

float KmlSettingsForm::boundedTilt(const QString& text) {
    const double value = NumberText::fromText(text).value_or(0.0);
    if (value < 0.0)
        return 0.0f;
    if (value > 90.0)
        return 65.0f;
    return float(value);
}
