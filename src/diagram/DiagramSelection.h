#pragma once
// A diagram window's selected samples: the points picked between "&Select Start" and "Select
// End" (a click takes the nearest point, a dragged rectangle every point inside), or all of
// them ("Select &All"). Each entry keeps the sample's key, its series and where it is drawn, so
// that "View Selected In Table" can list the rows and autopolygon and rectangle can go around
// the points. A new draw ends selecting and forgets the selection (its points may be gone).
// Also finds a sample by its label ("Find"). Plain logic over a Figure; no widgets.
#include "figure/Figure.h"

#include <QPointF>
#include <QRectF>
#include <optional>
#include <vector>

struct SelectedSample {
    QString key;
    QString series;
    QPointF at;
};

class DiagramSelection {
public:
    static QString startCaption() { return QStringLiteral("&Select Start"); }
    static QString endCaption() { return QStringLiteral("Select End"); }

    bool selecting() const { return selecting_; }
    // "&Select Start" starts, "Select End" ends; the menu item shows menuCaption().
    void toggle() { selecting_ = !selecting_; }
    QString menuCaption() const { return selecting_ ? endCaption() : startCaption(); }
    // At each draw: not selecting, nothing selected or found.
    void reset() {
        selecting_ = false;
        clear();
    }
    void clear() {
        samples_.clear();
        found_.reset();
    }

    // Adds the figure's points inside the rectangle (data units, either corner order); the
    // number added. A point already selected is not added twice.
    int selectIn(const Figure& figure, const QRectF& area);
    // Adds the point nearest to `at` within `reach` (data units); false when none is that near.
    bool selectNear(const Figure& figure, QPointF at, double reach);
    void selectAll(const Figure& figure);

    const std::vector<SelectedSample>& samples() const { return samples_; }
    bool isEmpty() const { return samples_.empty(); }
    std::vector<QPointF> points() const;
    QStringList keys() const;

    // The first point whose label equals `label` (case ignored); nullopt when none has it.
    static std::optional<SelectedSample> find(const Figure& figure, const QString& label);
    // "Find" marks the sample it found until the next draw or "Select &Clear".
    void markFound(QPointF at) { found_ = at; }
    const std::optional<QPointF>& found() const { return found_; }

private:
    void add(const Series& s, size_t i);

    bool selecting_ = false;
    std::vector<SelectedSample> samples_;
    std::optional<QPointF> found_;
};
