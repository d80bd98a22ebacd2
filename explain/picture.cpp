#include "explain/picture.hpp"

#include "explain/palette.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>
#include <type_traits>

namespace {

struct Painter {
    const ExplainLayout& layout;
    StepPicture picture;

    float placed(double x) const
    {
        const auto& at = layout.placement;
        return static_cast<float>((x - at.origin[0]) * at.scale);
    }
    // The line x = x (placed) at z = 0 in 2D; in 3D the plane x = x, as its edges at the set's
    // nearest and farthest z.
    void verticalLine(float x, ColorCode code)
    {
        for (float z : {layout.lowZ, layout.highZ}) {
            picture.lines.push_back({{x, layout.middleY, z}, {0, layout.lineReach, 0}, code, paletteOf(code).stroke});
            if (layout.highZ == layout.lowZ)
                break;
        }
    }
    void segment(const ScenePoint& a, const ScenePoint& b, ColorCode code)
    {
        picture.segments.push_back({a, b, code, paletteOf(code).stroke});
    }
    void segment(RecordPair pair, ColorCode code)
    {
        if (pair.exists())
            segment(layout.records[pair.first], layout.records[pair.second], code);
    }
    void points(int first, int count, ColorCode code)
    {
        if (count > 0)
            picture.runs.push_back({first, count, code, paletteOf(code).mark, paletteOf(code).size});
    }
    // The records before and after the call faded, its own black.
    void call(const Step& step)
    {
        const CallRecords records = callOf(step);
        const int end = records.begin + records.count;
        points(0, records.begin, paintFaded);
        points(end, static_cast<int>(layout.records.size()) - end, paintFaded);
        points(records.begin, records.count, paintCall);
    }
    // The split line; and a record of the call on it, which may lie in either half, with a stub
    // towards its own.
    void split(const Step& step, const SplitCall& call)
    {
        this->call(step);
        const float mx = placed(call.mx), stub = 1.5f; // of the placed set's 100 units
        verticalLine(mx, paintSplit);
        for (int i = call.records.begin; i < call.records.begin + call.records.count; ++i) {
            const float* at = &layout.vertices[3 * static_cast<std::size_t>(i)]; // in x order
            const float side = i < call.records.begin + call.half ? -stub : stub;
            if (at[0] == mx)
                segment({at[0], at[1], at[2]}, {at[0] + side, at[1], at[2]}, paintSide);
        }
    }
    void strip(const Step& step, const SplitCall& call, const Strip& strip)
    {
        split(step, call);
        const double width = std::sqrt(strip.widthSquared);
        verticalLine(placed(call.mx - width), paintStripEdge);
        verticalLine(placed(call.mx + width), paintStripEdge);
        const int middle = call.records.begin + call.half;
        points(middle - strip.leftCount, strip.leftCount, paintStripLeft);
        points(middle, strip.rightCount, paintStripRight);
    }
    // A ring about every record that has an equal one, runs of neighbours in x order together.
    void twins()
    {
        for (std::size_t i = 0; i < layout.twins.size();) {
            std::size_t next = i + 1;
            while (next < layout.twins.size() && layout.twins[next] == layout.twins[next - 1] + 1)
                ++next;
            points(layout.twins[i], static_cast<int>(next - i), paintTwin);
            i = next;
        }
    }

    // The step's own picture; over its lines the splits of the calls under way around its call,
    // dashed; rings about equal records.
    void paint(const Step& step)
    {
        std::visit([&](const auto& s) { (*this)(step, s); }, step);
        for (float x : outerSplits(layout, step))
            verticalLine(x, paintOuterSplit);
        twins();
    }
    // The question's picture: what the step starts from, without what it finds.
    void ask(const Step& step, const std::vector<int>& chosen, int cursor)
    {
        if (const auto* s = std::get_if<StripStep>(&step)) {
            split(step, s->call);
            segment(s->bestPair, paintBest);
        } else if (const auto* s = std::get_if<CompareStep>(&step)) {
            CompareStep unknown = *s; // the best so far and the pair compared, as when it is no new best
            unknown.newBest = false;
            (*this)(step, unknown);
        } else if (const auto* s = std::get_if<CombineStep>(&step)) {
            split(step, s->call);
            segment(s->leftPair, paintLeftPair);
            segment(s->rightPair, paintRightPair);
        } else {
            call(step);
        }
        for (float x : outerSplits(layout, step))
            verticalLine(x, paintOuterSplit);
        twins();
        for (const int at : chosen)
            points(at, 1, paintChosen);
        if (cursor >= 0)
            points(cursor, 1, paintCursor);
    }

    void operator()(const Step& step, const SplitStep& s) { split(step, s.call); }
    void operator()(const Step& step, const LeafStep& s)
    {
        call(step);
        segment(s.pair, paintBest);
    }
    // The kept pair first, thick, and the halves' pairs over it, thin: the one kept shows inside it.
    void operator()(const Step& step, const CombineStep& s)
    {
        split(step, s.call);
        segment(s.kept(), paintBest);
        segment(s.leftPair, paintLeftPair);
        segment(s.rightPair, paintRightPair);
    }
    void operator()(const Step& step, const StripStep& s)
    {
        strip(step, s.call, s.strip);
        segment(s.bestPair, paintBest);
    }
    // The box from mx to the strip's right edge in x and within d of the left record a in y: with
    // the window's d, fixed when a's turn began (every record compared lies in it), and inside it,
    // once a comparison of the turn has shrunk the best, with the best before this comparison.
    void box(const ScenePoint& left, const CompareStep& s, double squared, ColorCode code)
    {
        const double d = std::sqrt(squared) * layout.placement.scale;
        if (!std::isfinite(d))
            return;
        const float x0 = placed(s.call.mx), x1 = static_cast<float>(x0 + std::sqrt(s.strip.widthSquared) * layout.placement.scale);
        const float y0 = static_cast<float>(left.y - d), y1 = static_cast<float>(left.y + d);
        const ScenePoint corners[] = {{x0, y0, left.z}, {x1, y0, left.z}, {x1, y1, left.z}, {x0, y1, left.z}};
        for (int i = 0; i < 4; ++i)
            segment(corners[i], corners[(i + 1) % 4], code);
    }
    // A new best pair with the circle of its distance about the left record; else the best so far
    // and the pair compared.
    void operator()(const Step& step, const CompareStep& s)
    {
        strip(step, s.call, s.strip);
        const ScenePoint& left = layout.records[s.compared.first];
        box(left, s, s.windowSquared, paintSearchBox);
        if (s.bestSquared < s.windowSquared)
            box(left, s, s.bestSquared, paintShrunkBox);
        if (s.newBest) {
            segment(s.compared, paintBest);
            picture.circles.push_back({left, static_cast<float>(std::sqrt(s.distanceSquared) * layout.placement.scale),
                                       paintReach, paletteOf(paintReach).stroke});
        } else {
            segment(s.bestPair, paintBest);
            segment(s.compared, paintCompared);
        }
    }
    void operator()(const Step& step, const AnswerStep& s)
    {
        call(step);
        segment(s.pair, paintBest);
    }
    void operator()(const Step& step, const EndStep& s)
    {
        call(step);
        segment(s.pair, paintBest);
    }
};

} // namespace

StepPicture questionPictureOf(const ExplainLayout& layout, const Step& step, const std::vector<int>& chosen,
                              int cursor)
{
    Painter painter{layout, {}};
    painter.ask(step, chosen, cursor);
    return painter.picture;
}

template <class Point>
ExplainLayout layoutOf(const ClosestPairRun<Point>& run)
{
    ExplainLayout layout;
    double low[3] = {}, high[3] = {};
    for (int i = 0; i < run.count; ++i)
        for (int k = 0; k < dimensionOf<Point>; ++k) {
            const double c = coordinate(run.records[i], k);
            low[k] = i == 0 ? c : std::min(low[k], c);
            high[k] = i == 0 ? c : std::max(high[k], c);
        }
    ScenePlacement& at = layout.placement;
    at.origin[0] = low[0], at.origin[1] = low[1], at.origin[2] = high[2];
    const double span = std::max({high[0] - low[0], high[1] - low[1], high[2] - low[2]});
    const double reach = viewerFarPlane / 10;
    at.scale = span > 0 && std::isfinite(reach / span) ? reach / span : 1;

    layout.records.resize(static_cast<std::size_t>(run.count));
    for (int i = 0; i < run.count; ++i) {
        const ScenePoint r = layout.records[i] = scenePointOf(run.records[i], at);
        layout.lowZ = i == 0 ? r.z : std::min(layout.lowZ, r.z);
        layout.highZ = i == 0 ? r.z : std::max(layout.highZ, r.z);
        widenSceneExtent(r.x, r.y);
    }
    for (int i = 0; i < run.count; ++i) {
        const ScenePoint& r = layout.records[run.byX[i] - run.records];
        layout.vertices.insert(layout.vertices.end(), {r.x, r.y, r.z});
        layout.placedX.push_back(r.x);
    }
    // Equal records: neighbours once the x order is sorted by every coordinate.
    const auto key = [&run](int i) {
        const Point& p = *run.byX[i];
        return std::make_tuple(coordinate(p, 0), coordinate(p, 1), dimensionOf<Point> > 2 ? coordinate(p, 2) : 0.0);
    };
    std::vector<int> order(static_cast<std::size_t>(run.count));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&key](int a, int b) { return key(a) < key(b); });
    for (std::size_t i = 0; i < order.size(); ++i)
        if ((i > 0 && key(order[i]) == key(order[i - 1])) || (i + 1 < order.size() && key(order[i]) == key(order[i + 1])))
            layout.twins.push_back(order[i]);
    std::sort(layout.twins.begin(), layout.twins.end());
    const SceneExtent& e = sceneExtent;
    layout.middleY = (e.min.y + e.max.y) / 2;
    // The lines reach twice the scene's larger span either way.
    layout.lineReach = std::max({e.max.x - e.min.x, e.max.y - e.min.y, 1.0f}) / (sceneLineReach / 2);
    return layout;
}

StepPicture pictureOf(const ExplainLayout& layout, const Step& step)
{
    Painter painter{layout, {}};
    painter.paint(step);
    return std::move(painter.picture);
}

std::vector<float> outerSplits(const ExplainLayout& layout, const Step& step)
{
    const int count = static_cast<int>(layout.placedX.size());
    const CallRecords call = callOf(step);
    std::vector<float> splits;
    for (CallRecords at{0, count}; at.count > divideLeafMostCount && at.count > call.count;) {
        const int half = at.count / 2;
        splits.push_back(layout.placedX[static_cast<std::size_t>(at.begin + half)]);
        at = call.begin < at.begin + half ? CallRecords{at.begin, half} : CallRecords{at.begin + half, at.count - half};
    }
    return splits;
}

namespace {

// Hands the palette's colours to the viewer (sceneMoreColors).
void usePalette()
{
    sceneMoreColors.clear();
    for (const PaletteEntry& entry : stepPalette)
        sceneMoreColors.push_back(entry.color);
}

} // namespace

void showPicture(const StepPicture& picture)
{
    clearSceneDrawings();
    usePalette();
    scenePointRuns.clear();
    sceneMarkRuns = picture.runs;
    for (const SceneLine& line : picture.lines)
        addSceneLine(line, line.color);
    for (const SceneCircle& circle : picture.circles)
        addSceneCircle(circle, circle.color);
    for (const SceneSegment& segment : picture.segments)
        addSceneSegment(segment, segment.color);
}

template ExplainLayout layoutOf(const ClosestPairRun<Point2>&);
template ExplainLayout layoutOf(const ClosestPairRun<Point3>&);
