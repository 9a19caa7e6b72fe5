#include "stats/fit/CurveEquation.h"

#include "platform/NumberText.h"

namespace {

struct Style {
    bool display;
    QString x;     // how x is written where it stands alone: "x", "(H1)" or "(x)"
    QString bareX; // inside a function call or product: "x", "H1"
    QString ln;
};

QString number(const Style& s, double v) {
    return s.display ? NumberText::toDisplayText(v) : NumberText::toText(v);
}

// "+b", or "-b" for a negative b.
QString plus(const Style& s, double v) {
    const QString t = number(s, v);
    return t.startsWith(u'-') ? t : QStringLiteral("+") + t;
}

QString text(CurveModel model, const std::vector<double>& p, const Style& s) {
    const auto a = [&] { return number(s, p.at(0)); };
    switch (model) {
    case CurveModel::Linear:
        return a() + QStringLiteral("*") + s.x + plus(s, p.at(1));
    case CurveModel::Polynomial: {
        QString out;
        for (size_t k = p.size(); k-- > 1;) {
            out += out.isEmpty() ? number(s, p[k]) : plus(s, p[k]);
            out += QStringLiteral("*") + s.x;
            if (k > 1)
                out += QStringLiteral("^") + QString::number(k);
        }
        return out + plus(s, p.at(0));
    }
    case CurveModel::Logarithmic:
        return a() + QStringLiteral("*") + s.ln + QStringLiteral("(") + s.bareX +
               QStringLiteral(")") + plus(s, p.at(1));
    case CurveModel::Exponential:
        return a() + QStringLiteral("*EXP(") + number(s, p.at(1)) + QStringLiteral("*") + s.bareX +
               QStringLiteral(")");
    case CurveModel::Power:
        return a() + QStringLiteral("*") + s.x + QStringLiteral("^") + number(s, p.at(1));
    case CurveModel::OneMinusExp:
    case CurveModel::HundredOneMinusExp:
    case CurveModel::ScaledOneMinusExp: {
        const QString factor = model == CurveModel::OneMinusExp          ? QStringLiteral("1")
                               : model == CurveModel::HundredOneMinusExp ? QStringLiteral("100")
                                                                         : number(s, p.at(1));
        return factor + QStringLiteral("*(1-EXP(") + number(s, -p.at(0)) + QStringLiteral("*") +
               s.bareX + QStringLiteral("))");
    }
    case CurveModel::MovingAverageY:
    case CurveModel::MovingAverageX:
        break;
    }
    return {};
}

} // namespace

QString CurveEquation::display(CurveModel model, const std::vector<double>& p) {
    const QString body =
        text(model, p, {true, QStringLiteral("x"), QStringLiteral("x"), QStringLiteral("Ln")});
    return body.isEmpty() ? body : QStringLiteral("y=") + body;
}

QString CurveEquation::worksheetFormula(CurveModel model, const std::vector<double>& p) {
    const QString body =
        text(model, p, {false, QStringLiteral("(H1)"), QStringLiteral("H1"), QStringLiteral("LN")});
    return body.isEmpty() ? body : QStringLiteral("=") + body;
}

QString CurveEquation::expression(CurveModel model, const std::vector<double>& p) {
    return text(model, p,
                {false, QStringLiteral("(x)"), QStringLiteral("x"), QStringLiteral("LN")});
}
