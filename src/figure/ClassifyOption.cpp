#include "figure/ClassifyOption.h"

#include "platform/NumberText.h"

QString ClassifyOption::menuCaption() const {
    return QStringLiteral("Classify Option = ") + QString::number(int(mode_));
}

QString ClassifyOption::inputPrompt(const QString& classTable, const QString& classField) {
    return QStringLiteral("In Classifying treat Classifier [") + classTable +
           QStringLiteral("].[") + classField +
           QStringLiteral("] values \n- 0 = as string\n- 1 = grouping numbers in one <Numeric> "
                          "class\n- 2 = autodistributing numbers");
}

bool ClassifyOption::accept(const QString& answer) {
    const std::optional<double> n = NumberText::fromText(answer);
    if (!n || !(*n == 0 || *n == 1 || *n == 2)) {
        return false;
    }
    mode_ = ClassifyMode(int(*n));
    return true;
}
