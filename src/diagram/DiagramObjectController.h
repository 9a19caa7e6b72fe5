#pragma once
// A diagram window's user objects at work: the object sheets (UserObjects) laid over each
// figure they match, what clicks on the chart do (digitising a polygon, the two ends of a
// linear trendline, a reference point, a text's place, Shift+click selection), the
// discrimination of the plotted samples by polygons or trendlines with its options, naming the
// groups, deltas, the X at Y=0 and Y at X reports, and writing groups or deltas back to a table
// (GroupStore) or to ClipData. Talks to the person through Dialogs only; the window draws.
#include "diagram/DiagramSelection.h"
#include "diagram/objects/GroupStore.h"
#include "diagram/objects/UserObjects.h"
#include "figure/Figure.h"

#include <QPointF>
#include <functional>
#include <optional>

class DiagramWindow;
class Dialogs;
class SessionDatabase;
class Sheet;

class DiagramObjectController {
public:
    // Lays its objects over each figure the window draws and keeps them in its graph files;
    // the window knows it as its `objects` while it lives.
    DiagramObjectController(DiagramWindow& window, SessionDatabase& session, Dialogs& dialogs);
    ~DiagramObjectController();
    DiagramObjectController(const DiagramObjectController&) = delete;
    DiagramObjectController& operator=(const DiagramObjectController&) = delete;

    UserObjects objects;
    DiagramSelection selection;    // the selected samples; forgotten at each draw
    bool onLineInside = false;     // "Polygon discirimination setting."
    bool extendTrendlines = false; // "Trendline discirimination setting."

    // What a plain click on the chart does next.
    enum class Mode {
        None,
        DigitizePolygon,
        Polyline,
        LinearTrendline,
        RefPoint,
        PlaceText,
        MoveText,
        MoveRefPoint
    };
    Mode mode() const { return mode_; }
    // A left click at a data point; shift: select the polygon or trendline nearest to it (within
    // `reach` data units). True when the figure changed.
    bool click(QPointF at, bool shift, double reach);
    // A double click ends digitising: the nodes so far become a polygon (three at least), or
    // a polyline (two at least).
    bool finishDigitizing();

    // "&Digitize On screen", "Linear on screen", RefPoint "&Create": the next clicks place it.
    void startDigitizing() { begin(Mode::DigitizePolygon); }
    void startLinearTrendline() { begin(Mode::LinearTrendline); }
    void startRefPoint() { begin(Mode::RefPoint); }
    // "Polyline on screen": clicks until a double click; the nodes, in X order, become a
    // trendline whose equation joins them piece by piece.
    void startPolyline() { begin(Mode::Polyline); }
    // The polygons and trendlines drawn on the figure of the window's definition.
    std::vector<size_t> matchingTrendlines() const;
    std::vector<size_t> matchingPolygons() const;
    // "&Rectangle around datapoints", "&Autopolygon around datapoints" (convex hull, at most 40
    // nodes): around the selected points, or all plotted ones when none is selected.
    bool rectangleAroundData();
    bool autoPolygonAroundData();
    // "&Erase" of each kind: the selected one, else the hint (and for trendlines the number).
    bool erasePolygon();
    bool eraseTrendline();
    bool deleteRefPoint();
    // RefPoint "&Move": asks the point's number, the next click places it.
    bool moveRefPoint();
    // "&Text labels": "&Add" asks the text, the next click places it; "&Remove" / "&Move" ask
    // about each label in turn.
    bool addText();
    bool removeText();
    bool moveText();
    // "&Discriminate Options" -> "&Polygon" / "&Trendline": Yes/No/Cancel, Cancel keeps it.
    void askPolygonOption();
    void askTrendlineOption();
    // DISCRPOLYGON / DISCRTRENDLINE: draw without classifier, class every sample, show the
    // groups. False when nothing could be discriminated (after the message).
    bool discriminatePolygons();
    bool discriminateTrendlines();
    // DISCRRENAME: an input box per group; an empty answer makes the group Null.
    bool renameGroups();
    // "Delta" -> "Calculate": each sample's Y minus the first matching trendline's Y.
    bool calculateDelta();
    // "Calculate &X at Y=0 " and "Calculate &Y at X=?": the report, then the clipboard question;
    // the text to copy, or nullopt.
    std::optional<QString> xAtYZero();
    std::optional<QString> yAtX();
    // The values a store writes: the groups of the last discrimination, the deltas, or each
    // sample's distance from the trendline (the header editor's "Discr", "Delta", "Dista").
    enum class Stored { Groups, Deltas, Distances };
    static QString storedName(Stored what);
    // "Dista": each plotted sample's shortest distance (in data units) to the first matching
    // trendline as drawn between its ends; "No trendlines" without one.
    bool calculateDistances();
    // A click on the header editor's "Discr", "Delta" or "Dista": the values made ready to store
    // (deltas and distances calculated now); false after saying why there are none.
    bool prepareToStore(Stored what);
    // "Store group names into database": the values into the table's field, or into a new field
    // (newField set when the field is "<<Create New Column>>"); clearFirst asks before it clears.
    // table "ClipData" writes to the sheet.
    static QString createNewColumn() { return QStringLiteral("<<Create New Column>>"); }
    bool store(const QString& table, const QString& field, const QString& newField, bool clearFirst,
               Stored what, Sheet* clipData);

    // The groups of the last discrimination by sample key (nullopt: Null), and the deltas.
    const std::vector<std::pair<QString, std::optional<QString>>>& groups() const {
        return groups_;
    }
    int selectedPolygon() const { return selectedPolygon_; }
    // OBJECTLIBRARY and OBJECTHEADER: open the object library browser and the header editor.
    // Set by the window's view; empty without a display (the lines then do nothing).
    std::function<bool()> openLibrary;
    std::function<bool()> openHeader;
    int selectedTrendline() const { return selectedTrendline_; }

    // Step 9 of a draw: matching trendlines, polygons, reference points, then texts.
    void overlay(Figure& figure, const DiagramDefinition& d) const;

private:
    void begin(Mode mode);
    bool redraw();
    ObjectAxes currentAxes() const;
    // The plotted samples of the figure with their keys.
    void plotted(std::vector<QPointF>& at, QStringList& keys) const;
    std::vector<QPointF> pointsToSurround() const;
    // A report with the clipboard question; "No trendlines" for an empty one.
    std::optional<QString> offerReport(const QString& text);
    void showGroups(const std::vector<QPointF>& at, const QStringList& keys,
                    const std::vector<QString>& codes);

    DiagramWindow& window_;
    SessionDatabase& session_;
    Dialogs& dialogs_;
    Mode mode_ = Mode::None;
    std::vector<QPointF> clicks_;
    QString pendingText_;
    // The 0-based index of the point whose number the person gives, if it is one.
    std::optional<size_t> askPointNumber(const QString& question);

    int movingText_ = -1;
    int movingPoint_ = -1;
    int selectedPolygon_ = -1;
    int selectedTrendline_ = -1;
    std::vector<std::pair<QString, std::optional<QString>>> groups_;
    std::vector<std::pair<QString, double>> deltas_;
    std::vector<std::pair<QString, double>> distances_;
};
