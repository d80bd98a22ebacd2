#include "explain/picture.hpp"

#include <algorithm>
#include <cmath>

namespace {

struct Painter {
    const ExplainLayout& layout;
    StepPicture picture;

    // The line x = value (world) at z = 0 in 2D; in 3D the plane x = value, as its edges at the
    // set's nearest and farthest z.
    void verticalLine(double x, ColorCode color)
    {
        const auto& at = layout.placement;
        for (float z : {layout.lowZ, layout.highZ}) {
            picture.lines.push_back({{static_cast<float>((x - at.origin[0]) * at.scale), layout.middleY, z},
                                     {0, layout.lineReach, 0}, color});
            if (layout.highZ == layout.lowZ)
                break;
        }
    }
    void segment(RecordPair pair, ColorCode color)
    {
        if (pair.exists())
            picture.segments.push_back({layout.records[pair.first], layout.records[pair.second], color});
    }
    void points(int first, int count, ColorCode color)
    {
        if (count > 0)
            picture.runs.push_back({first, count, color});
    }
    // The records before and after the call faded, its own black (drawn last, as if over all).
    void call(CallRecords records)
    {
        const int end = records.begin + records.count;
        points(0, records.begin, colorWhite);
        points(end, static_cast<int>(layout.records.size()) - end, colorWhite);
        points(records.begin, records.count, colorBlack);
    }
    void split(const SplitCall& call)
    {
        this->call(call.records);
        verticalLine(call.mx, colorMagenta);
    }
    void strip(const SplitCall& call, const Strip& strip)
    {
        split(call);
        const double width = std::sqrt(strip.widthSquared);
        verticalLine(call.mx - width, colorBlue);
        verticalLine(call.mx + width, colorBlue);
        const int middle = call.records.begin + call.half;
        points(middle - strip.leftCount, strip.leftCount, colorBlue);
        points(middle, strip.rightCount, colorGreen);
    }

    void operator()(const SplitStep& s) { split(s.call); }
    void operator()(const LeafStep& s)
    {
        call(s.call);
        segment(s.pair, colorRed);
    }
    void operator()(const CombineStep& s)
    {
        split(s.call);
        segment(s.leftPair, colorBlue);
        segment(s.rightPair, colorGreen);
        segment(s.kept(), colorRed);
    }
    void operator()(const StripStep& s)
    {
        strip(s.call, s.strip);
        segment(s.bestPair, colorRed);
    }
    // A new best pair in red with the circle of its distance about the left record; else the best
    // so far in red and the pair compared in orange.
    void operator()(const CompareStep& s)
    {
        strip(s.call, s.strip);
        if (s.newBest) {
            segment(s.compared, colorRed);
            picture.circles.push_back({layout.records[s.compared.first],
                                       static_cast<float>(std::sqrt(s.distanceSquared) * layout.placement.scale), colorRed});
        } else {
            segment(s.bestPair, colorRed);
            segment(s.compared, colorOrange);
        }
    }
    void operator()(const AnswerStep& s)
    {
        call(s.call.records);
        segment(s.pair, colorRed);
    }
    void operator()(const EndStep& s)
    {
        points(0, static_cast<int>(layout.records.size()), colorBlack);
        segment(s.pair, colorRed);
    }
};

} // namespace

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
    }
    const SceneExtent& e = sceneExtent;
    layout.middleY = (e.min.y + e.max.y) / 2;
    // The lines reach twice the scene's larger span either way.
    layout.lineReach = std::max({e.max.x - e.min.x, e.max.y - e.min.y, 1.0f}) / (sceneLineReach / 2);
    return layout;
}

StepPicture pictureOf(const ExplainLayout& layout, const Step& step)
{
    Painter painter{layout, {}};
    std::visit(painter, step);
    return std::move(painter.picture);
}

void showPicture(const StepPicture& picture)
{
    clearSceneDrawings();
    scenePointRuns = picture.runs;
    for (const SceneLine& line : picture.lines)
        addSceneLine(line, line.color);
    for (const SceneCircle& circle : picture.circles)
        addSceneCircle(circle, circle.color);
    for (const SceneSegment& segment : picture.segments)
        addSceneSegment(segment, segment.color);
}

template ExplainLayout layoutOf(const ClosestPairRun<Point2>&);
template ExplainLayout layoutOf(const ClosestPairRun<Point3>&);
