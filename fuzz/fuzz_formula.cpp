// Equations reach the formula evaluator as the person types them and from stored calculations;
// any text must compile or be refused without crashing. A compiled formula gives the same value
// on its fast numeric path as inside IF(TRUE, ...), which takes the general one; rewriting
// names that are kept gives back the text.
#include "formula/Formula.h"
#include "formula/FormulaRewriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (FormulaRewriter::replaceNames(text, [](const QString&) { return std::nullopt; }) != text)
        std::abort();
    const auto formula = Formula::compile(text);
    if (!formula)
        return 0;
    const double inputs[Formula::slotCount] = {2, 0, -3, 0.1, 0.2, 1e300, 0.5};
    const QString value = formula->evaluate(inputs).toText();
    QString inner = text.trimmed();
    if (inner.startsWith(QLatin1Char('=')))
        inner.remove(0, 1);
    const auto general = Formula::compile(QStringLiteral("IF(TRUE,") + inner + QLatin1Char(')'));
    if (general && general->evaluate(inputs).toText() != value)
        std::abort();
    return 0;
}
