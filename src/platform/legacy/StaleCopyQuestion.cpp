#include "platform/legacy/StaleCopyQuestion.h"

#include "platform/Dialogs.h"

QString StaleCopyQuestion::text(const QString& backup) {
    return QStringLiteral("The source file changed since the working copy was made. Re-import "
                          "it? Your changes in the working copy will be kept in ") +
           backup;
}

bool StaleCopyQuestion::reimport(const QString& backup) const {
    return dialogs_ && dialogs_->question(text(backup), QuestionButtons::YesNo) == Answer::Yes;
}
