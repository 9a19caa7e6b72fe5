// What a person types into the program's boxes, and the short texts it reads back from files,
// each through its parser; the first byte picks the parser (seeds live in one folder each):
//   f  filter value: second byte picks the operator, the rest is the value
//   a  "X:Y Axis Ratio" answer          c  "Classify Options" answer
//   k  KML settings: range line, tilt line, then column captions; choices from the first bytes
//   s  SplitList: separator line, then the text
//   d  a DRAW2 replay line              p  .cpg code page line, then dBase text bytes
//   m  a chemical formula (typed, or from a mineral library) and its composition
#include "FuzzInput.h"
#include "chem/FormulaComposition.h"
#include "diagram/DiagramReplayLine.h"
#include "export/KmlSettingsForm.h"
#include "figure/AxisRatioInput.h"
#include "figure/ClassifyOption.h"
#include "filter/ConditionPreparer.h"
#include "platform/JetSqlTokenizer.h"
#include "platform/ScriptedDialogs.h"
#include "platform/legacy/DbfTextCodec.h"
#include "query/SplitList.h"

#include <cmath>

namespace {

using Kind = JetSqlToken::Kind;

// The value of a condition is literals only: nothing typed may become a name, a keyword or a
// second statement.
void filterValue(const QByteArray& input) {
    const QStringList ops = ConditionPreparer::operators();
    const QString op = ops[input.isEmpty() ? 0 : uchar(input[0]) % ops.size()];
    const FilterCondition c = ConditionPreparer::prepare(op, QString::fromUtf8(input.mid(1)));
    const auto tokens = JetSqlTokenizer::tokenize(c.value);
    fuzz::check(tokens.ok(), "a prepared filter value does not tokenize");
    for (const JetSqlToken& t : tokens.tokens)
        fuzz::check(t.kind != Kind::Word && t.kind != Kind::Name && t.kind != Kind::Semicolon &&
                        t.kind != Kind::Parameter,
                    "a typed filter value escapes its literal");
    fuzz::check(JetSqlTokenizer::tokenize(c.text(QStringLiteral("T"), QStringLiteral("F"))).ok(),
                "a filter condition does not tokenize");
}

void axisRatio(const QByteArray& input) {
    const auto r = AxisRatioInput::parse(QString::fromUtf8(input));
    if (const double* ratio = std::get_if<double>(&r))
        fuzz::check(std::isfinite(*ratio) && *ratio > 0, "an axis ratio no plot area can have");
    else
        fuzz::check(!std::get<QString>(r).isEmpty(), "a refused axis ratio without a message");
}

void classifyOption(const QByteArray& input) {
    ClassifyOption option;
    option.setMode(ClassifyMode::NumberRanges);
    const bool taken = option.accept(QString::fromUtf8(input));
    fuzz::check(taken || option.mode() == ClassifyMode::NumberRanges,
                "a refused classify option changed the mode");
    const int mode = int(option.mode());
    fuzz::check(mode >= 0 && mode <= 2, "a classify option outside 0..2");
}

void kmlSettings(const QByteArray& input) {
    const QStringList lines = QString::fromUtf8(input).split(u'\n');
    const float range = KmlSettingsForm::boundedRange(lines.value(0));
    const float tilt = KmlSettingsForm::boundedTilt(lines.value(1));
    fuzz::check(range >= 10 && range <= 500000, "a KML range outside its bounds");
    fuzz::check(tilt >= 0 && tilt <= 90, "a KML tilt outside its bounds");
    KmlSettings settings;
    KmlSettingsForm form(lines.mid(2), settings);
    const auto pick = [&](int i) { return i < input.size() ? int(qint8(input[i])) % 8 : -1; };
    ScriptedDialogs dialogs;
    if (form.accept({pick(0), pick(1), pick(2), pick(3), lines.value(0), lines.value(1)},
                    dialogs)) {
        fuzz::check(settings.hasPlacement(), "accepted KML settings without a placement");
        const auto again = form.current();
        fuzz::check(KmlSettingsForm::boundedRange(again.range) == settings.range &&
                        KmlSettingsForm::boundedTilt(again.tilt) == settings.tilt,
                    "KML settings change when shown again");
    } else {
        fuzz::check(!dialogs.texts().isEmpty(), "refused KML settings without a message");
    }
}

void splitList(const QByteArray& input) {
    const auto [separator, rest] = fuzz::firstLine(input);
    const QString sep = QString::fromUtf8(separator), text = QString::fromUtf8(rest);
    const QStringList pieces = SplitList(text, sep);
    fuzz::check(pieces.join(sep) == text, "SplitList pieces do not make the text again");
}

void replayLine(const QByteArray& input) {
    const auto parsed = DiagramReplayLine::parse(QString::fromUtf8(input));
    if (!parsed)
        return;
    const QString line = DiagramReplayLine::compose(*parsed);
    const auto again = DiagramReplayLine::parse(line);
    fuzz::check(again && DiagramReplayLine::compose(*again) == line,
                "a DRAW2 line changes when read and written again");
}

void codePage(const QByteArray& input) {
    const auto [declared, text] = fuzz::firstLine(input);
    DbfTextCodec codec(QString::fromUtf8(declared));
    (void)DbfTextCodec::encodingFor(QString::fromUtf8(declared));
    fuzz::check(!codec.encoding().isEmpty(), "a dBase text without an encoding");
    (void)codec.decode(text);
    (void)codec.decode(text.left(text.size() / 2));
}

// A formula either reads into finite, non-negative amounts whose elements make up the whole
// formula, or is refused with a reason.
void chemicalFormula(const QByteArray& input) {
    QString error;
    const auto c = FormulaComposition::of(QString::fromUtf8(input), &error);
    if (!c) {
        fuzz::check(!error.isEmpty(), "a refused formula without a reason");
        return;
    }
    fuzz::check(std::isfinite(c->molarMass) && c->molarMass > 0, "a formula without a mass");
    fuzz::check(std::abs(c->elementSum - 100.0) < 1e-6, "elements that do not make the whole");
    for (const CompositionLine& l : c->oxides)
        fuzz::check(std::isfinite(l.weightPercent) && l.weightPercent >= 0, "a negative oxide");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::Selected in = fuzz::select(data, size);
    switch (in.parser) {
    case 'f':
        filterValue(in.input);
        break;
    case 'a':
        axisRatio(in.input);
        break;
    case 'c':
        classifyOption(in.input);
        break;
    case 'k':
        kmlSettings(in.input);
        break;
    case 's':
        splitList(in.input);
        break;
    case 'd':
        replayLine(in.input);
        break;
    case 'p':
        codePage(in.input);
        break;
    case 'm':
        chemicalFormula(in.input);
        break;
    default: {
        // Other first bytes still reach a parser, so no mutation is wasted.
        using Parser = void (*)(const QByteArray&);
        const Parser parsers[] = {filterValue, axisRatio,  classifyOption, kmlSettings,
                                  splitList,   replayLine, codePage,       chemicalFormula};
        parsers[uchar(in.parser) % std::size(parsers)](in.input);
    }
    }
    return 0;
}
