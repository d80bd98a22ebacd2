#include "explain/listing.hpp"

#include "explain/step_text.hpp"

#include <variant>

namespace {

// P holds a call's points in x order, Q the same points in y order; d is a distance, p its pair.
const std::vector<std::string> listings[] = {
    {
        "najblizi(P po x, Q iste tacke po y):",
        "  ako P ima najvise " + counted(divideLeafMostCount, Language::sr, Noun::recordObject) + ":",
        "    proveri svaki par iz P; vrati najblizi, ili d = beskonacno",
        "  h = |P| / 2; mx = x od P[h]; L = P[0 .. h-1], D = P[h ..]",
        "  QL, QD = tacke iz L i iz D, redom po y kao u Q",
        "  (d, p) = najblizi(L, QL)",
        "  (dD, pD) = najblizi(D, QD)",
        "  ako dD < d: (d, p) = (dD, pD)      (jednaki: ostaje levi par)",
        "  SL, SD = tacke iz QL, QD sa (x - mx)^2 < d^2",
        "  za svaku a iz SL, odozgo nadole:",
        "    za svaku b iz SD sa |b.y - a.y| < d:",
        "      e = rastojanje(a, b); ako e < d: (d, p) = (e, (a, b))",
        "  vrati (d, p)",
        "rezultat = najblizi(sve tacke po x, sve tacke po y)",
    },
    {
        "closest(P by x, Q the same points by y):",
        "  if P has at most " + counted(divideLeafMostCount, Language::en, Noun::record) + ":",
        "    check every pair of P; return the closest, or d = infinity",
        "  h = |P| / 2; mx = x of P[h]; L = P[0 .. h-1], R = P[h ..]",
        "  QL, QR = the points of L and of R, in y order as in Q",
        "  (d, p) = closest(L, QL)",
        "  (dR, pR) = closest(R, QR)",
        "  if dR < d: (d, p) = (dR, pR)      (equal: the left pair stays)",
        "  SL, SR = the points of QL, QR with (x - mx)^2 < d^2",
        "  for each a in SL, from the top down:",
        "    for each b in SR with |b.y - a.y| < d:",
        "      e = distance(a, b); if e < d: (d, p) = (e, (a, b))",
        "  return (d, p)",
        "result = closest(all points by x, all points by y)",
    },
};

// The line of each kind of step, in Step's order: split, leaf, combine, strip, compare, answer, end.
constexpr int kindLines[] = {4, 3, 8, 9, 12, 13, 14};
static_assert(std::size(kindLines) == std::variant_size_v<Step>);

} // namespace

const std::vector<std::string>& listingLines(Language language) { return listings[static_cast<int>(language)]; }

int listingLine(const Step& step) { return kindLines[step.index()]; }
