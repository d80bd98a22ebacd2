// English.
#include "explain/words.hpp"

namespace {

// The singular for 1 only; a fraction takes the plural ("0.25 steps").
int englishForm(double count) { return count == 1 ? 0 : 2; }

} // namespace

constexpr Words englishWords = {
    .stepOf = "Step {0} of {1}",
    .split = "Split: the line x = {1} splits {0}: left {2}, right {3}",
    .leaf = "All pairs: {0}, {1}; closest {2}, d = {3}",
    .combine = "Combine: left d = {0}, right d = {1}; {2} {3}",
    .keptRight = "the right pair stays",
    .keptOnTie = "equal, the left pair stays",
    .keptLeft = "the left pair stays",
    .strip = "Strip: from x = {0} to x = {1} (d = {2}): left {3}, right {4}",
    .compare = "Comparison {0} for {1}, with {2}: d = {3}, {4}{5}",
    .windowNote = " (the record's window stays w = {0})",
    .newBest = "a new best pair",
    .notSmaller = "not less than {0}",
    .answer = "The call's result over {0}: d = {1}, {2}",
    .end = "End: {0}; {1} computed, all pairs: {2}; most comparisons of one strip record: {3}",
    .endResult = "d = {0} between {1}",
    .infinity = "infinity",
    .noPair = "no pair",
    .equalDistances = "equal distances: both pairs are closest",

    .nouns = {{"point", "points", "points"},
              {"point", "points", "points"},
              {"point", "points", "points"},
              {"pair", "pairs", "pairs"},
              {"distance", "distances", "distances"},
              {"step", "steps", "steps"}},
    .formFor = englishForm,

    .playing = ", playing",
    .header = "{0}{1}, {2} a second; distances: {3} of {4}",
    .splitCall = "Call {0}: {1}, split x = {2}",
    .leafCall = "Call {0}: {1}, all pairs",

    .keys = {"Next", "Previous", "Next call", "Previous call", "First step", "Last step", "Play or pause", "Faster",
             "Slower", "Follow the call", "Legend", "Projector mode"},

    .listing = {"closest(P by x, Q the same points by y):",
                "  if P has at most {0}:",
                "    check every pair of P; return the closest, or d = infinity",
                "  h = |P| / 2; mx = x of P[h]; L = P[0 .. h-1], R = P[h ..]",
                "  QL, QR = the points of L and of R, in y order as in Q",
                "  (d, p) = closest(L, QL)",
                "  (dR, pR) = closest(R, QR)",
                "  if dR < d: (d, p) = (dR, pR)      (equal: the left pair stays)",
                "  SL, SR = the points of QL, QR with (x - mx)^2 < d^2",
                "  for each a in SL, from the top down: w = d (kept for all of a's b)",
                "    for each b in SR with |b.y - a.y| < w:",
                "      e = distance(a, b); if e < d: (d, p) = (e, (a, b))",
                "  return (d, p)",
                "result = closest(all points by x, all points by y)"},

    .legendTitle = "Legend:",
    .legend = {"grey squares: the records outside the call",
               "black squares: the call's records",
               "blue filled squares: the strip's left half (SL)",
               "green hollow squares: the strip's right half (SR)",
               "purple ring: equal records (distance 0)",
               "thick magenta line: the split x = mx",
               "dashed magenta lines: splits of the calls under way",
               "thin dotted blue lines: strip edges, a record on one is out",
               "thick red segment: the best pair, the one kept",
               "thin blue segment: the left half's pair",
               "dashed green segment: the right half's pair",
               "dashed orange segment: the pair compared",
               "red circle: the new d about the left record",
               "teal box: where b is sought, |b.y - a.y| < w",
               "thin dashed teal box: |b.y - a.y| < d, the best now",
               "short black stub: the half of a record on the split line"},

    .closer = "Comparison {0} for {1}, with {2}: d = {3}. Closer than the best so far, d = {4}?",
    .kept = "Combine: left d = {0}, right d = {1}. Which pair is kept?",
    .answers = {{"yes", "no"}, {"left", "right"}},
    .right = "Right: {0}",
    .wrong = "Wrong: the answer is {0}",
    .score = "right answers: {0} of {1}",
};
static_assert(complete(englishWords));
